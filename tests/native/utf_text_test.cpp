// Paths between the program's UTF-8 and the wide calls' UTF-16: whole and
// exact, or refused with nothing half-written.
#include <gtest/gtest.h>

#include <string>

#include "app/utf_text.h"

namespace {

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// Each form converts to the other exactly, at the edges of every sequence length.
TEST(UtfText, EachCodePointConvertsExactlyBothWays) {
  const struct { std::string utf8; std::u16string utf16; } cases[] = {
      {"\x7F", u"\x7F"}, {"\xC2\x80", u"\x80"}, {"\xC3\xA9", u"\xE9"}, {"\xDF\xBF", u"\x7FF"}, {"\xE0\xA0\x80", u"\x800"},
      {"\xE5\x86\x99", u"\x5199"}, {"\xEF\xBF\xBF", u"\xFFFF"}, {"\xF0\x90\x80\x80", u"\xD800\xDC00"},
      {"\xF0\x9F\x93\xB7", u"\xD83D\xDCF7"}, {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
      {std::string("a\0b\0\0", 5), std::u16string(u"a\0b\0\0", 5)}};  // a packed set's zeros are characters
  for (const auto& c : cases) {
    Utf16Unit units[8] = {};
    char bytes[16] = {};
    EXPECT_EQ(Utf8ToUtf16(c.utf8.data(), c.utf8.size(), units, 8), c.utf16.size()) << c.utf8;
    EXPECT_EQ(std::u16string(units, c.utf16.size()), c.utf16) << c.utf8;
    EXPECT_EQ(Utf16ToUtf8(c.utf16.data(), c.utf16.size(), bytes, 16), c.utf8.size()) << c.utf8;
    EXPECT_EQ(std::string(bytes, c.utf8.size()), c.utf8);
  }
}

// A name of 255 units (Windows' longest) in any script, in a path of 259,
// converts there and back; a unit more does not fit either way.
TEST(UtfText, PathsUpTo259UnitsInEveryScriptGoThereAndBackAndLongerOnesAreRefused) {
  const std::string latin = Repeat("\xC3\xA9", 255), cyrillic = Repeat("\xD0\xA4", 255), cjk = Repeat("\xE5\x86\x99", 255),
                    arabic = Repeat("\xD8\xB5", 255), pairs = Repeat("\xF0\x9F\x93\xB7", 127) + "a";
  for (const std::string& name : {latin, cyrillic, cjk, arabic, pairs, std::string(255, 'p')}) {
    const std::string path = "C:\\" + name;
    Utf16Unit wide[WIDE_PATH_SIZE];
    char back[PATH_BUFFER_SIZE];
    ASSERT_TRUE(WidenPath(path.c_str(), wide, WIDE_PATH_SIZE)) << name.substr(0, 8);
    EXPECT_EQ(std::u16string(wide).size(), 258u);
    ASSERT_TRUE(NarrowPath(wide, back, sizeof back));
    EXPECT_EQ(back, path);
    const std::string longest = path + "q", tooLong = longest + "q";
    EXPECT_TRUE(WidenPath(longest.c_str(), wide, WIDE_PATH_SIZE));
    EXPECT_FALSE(WidenPath(tooLong.c_str(), wide, WIDE_PATH_SIZE));
    EXPECT_EQ(wide[0], 0);
  }
}

// Malformed input and full buffers are refused whole, leaving an empty string.
TEST(UtfText, InvalidInputAndBuffersTooSmallAreRefusedWithAnEmptyString) {
  const std::string badUtf8[] = {"\x80", "a\xA9", "\xC3", "\xE5\x86", "\xF0\x9F\x93", "\xC3\x28", "\xC0\xAF",
                                 "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",
                                 "\xF8\x88\x80\x80\x80", "\xFF"};
  for (const std::string& text : badUtf8) {
    Utf16Unit wide[8] = {u'#'};
    EXPECT_EQ(WidenPath(text.c_str(), wide, 8) * 10 + wide[0], 0) << text.size() << " " << int(text[0] & 0xFF);
  }
  const std::u16string badUtf16[] = {u"\xD83D", u"\xDCF7", u"a\xD83Dz", u"\xDCF7\xD83D", u"\xD83D\xD83D\xDCF7"};
  for (const std::u16string& text : badUtf16) {
    char path[8] = {'#'};
    EXPECT_EQ(NarrowPath(text.c_str(), path, 8) * 10 + path[0], 0) << text.size();
  }
  // Room for each form with its zero, and one less.
  Utf16Unit wide[3];
  char bytes[5];
  EXPECT_EQ(std::tuple(WidenPath("\xF0\x9F\x93\xB7", wide, 3), WidenPath("\xF0\x9F\x93\xB7", wide, 2)), std::tuple(1, 0));
  EXPECT_EQ(std::tuple(NarrowPath(u"\xD83D\xDCF7", bytes, 5), NarrowPath(u"\xD83D\xDCF7", bytes, 4)), std::tuple(1, 0));
  EXPECT_EQ(NarrowPath(u"\x5199", bytes, 4), 1);
  EXPECT_EQ(NarrowPath(u"\x5199", bytes, 3) * 10 + bytes[0], 0);
}

}  // namespace
