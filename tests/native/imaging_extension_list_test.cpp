// The picture extensions' list in a buffer of fixed capacity, as the decoders'
// lists and the extra extensions add to it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/extension_list.h"

namespace {

constexpr size_t GUARD = 4;

template <typename Unit>
void AddFromItsOwnBuffer(std::vector<char>& list, size_t capacity, const std::string& extensions) {
  // Exactly as long as the text and its zero, so a walk past the zero is caught.
  std::vector<Unit> units;
  for (const char c : extensions) units.push_back(static_cast<Unit>(static_cast<unsigned char>(c)));
  units.push_back(0);
  AddExtensionList(list.data(), capacity, units.data());
}

// Each row runs as the decoders' wide text and as narrow text. The list sits in
// `capacity` bytes with nothing but guard bytes after its zero: a walk over it
// stops at its zero, and nothing is written past the capacity.
TEST(ExtensionList, EachExtensionIsAddedOnceInLowerCaseWholeOrNotAtAll) {
  const std::string longest = "." + std::string(EXTENSION_MAX - 1, 'x');
  const struct { size_t capacity; std::string listed, added, expected; } cases[] = {
      {32, "", ".JPEG,.jpg;.Png;.AZ", ".jpeg;.jpg;.png;.az"},
      {32, ".jpg", ".jpg;.JPG;.png;.png", ".jpg;.png"},
      {32, "", ";;.a,,. b;jpg;.;\x80\xff;.\x80\xff;", ".a;.b"},
      {12, "", ".a;.bb;.ccc", ".a;.bb;.ccc"},     // fills the capacity exactly
      {12, "", ".a;.bb;.ccc;.d", ".a;.bb;.ccc"},  // one more does not fit
      {12, "", ".a;.bb;.cccc;.d", ".a;.bb;.d"},   // one too long, then one that fits
      {12, ".a;.bb;.ccc", ".ccc;.a;.d", ".a;.bb;.ccc"},
      {5, "", ".jpg", ".jpg"},
      {4, "", ".jpg", ""},
      {128, "", longest + "x;" + longest + ";." + std::string(200, 'y'), longest},
      {32, ".tif", "", ".tif"}};
  for (const auto& c : cases) {
    for (const bool wide : {false, true}) {
      std::vector<char> list(c.capacity + GUARD, '#');
      std::memcpy(list.data(), c.listed.c_str(), c.listed.size() + 1);
      if (wide) {
        AddFromItsOwnBuffer<Utf16Unit>(list, c.capacity, c.added);
      } else {
        AddFromItsOwnBuffer<char>(list, c.capacity, c.added);
      }
      EXPECT_EQ(std::string(list.data(), strnlen(list.data(), c.capacity)) + "|" +
                    std::string(list.end() - GUARD, list.end()),
                c.expected + "|" + std::string(GUARD, '#'))
          << c.added << (wide ? " (wide)" : "");
    }
  }
}

}  // namespace
