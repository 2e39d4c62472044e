// The settings store's rules and the start-up decisions, on plain values.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/settings_rules.h"
#include "app/startup_rules.h"
#include "app/work_area_rules.h"

namespace {

std::set<std::string> ExistingPaths;
int FakePathExists(const char* path) { return static_cast<int>(ExistingPaths.count(path)); }

// A stored folder is cut back to the deepest existing one; the start takes
// built-in ids and existing files, else the defaults.
TEST(StartPaths, TrimToTheDeepestExistingFolderAndChooseBuiltInIdsAndExistingFilesElseTheDefaults) {
  const struct { const char* path; std::set<std::string> existing; const char* trimmed; } cases[] = {
      {"C:\\Photos\\Gone\\", {"C:\\Photos"}, "C:\\Photos"}, {"C:\\Photos\\Gone\\Deeper\\x.jpg", {"C:\\Photos"}, "C:\\Photos"},
      {"C:\\Photos\\Here", {"C:\\Photos", "C:\\Photos\\Here"}, "C:\\Photos\\Here"},
      // Trailing backslashes go even when the folder exists with them.
      {"C:\\Photos\\\\\\", {"C:\\Photos", "C:\\Photos\\"}, "C:\\Photos"}, {"C:\\", {"C:\\", "C:"}, "C:"},
      // Nothing exists: the first component stays, and the first character always.
      {"Q:\\Nowhere\\At\\All", {}, "Q:"}, {"relative\\path", {}, "relative"}, {"", {}, ""}, {"\\", {}, "\\"},
      {"\\\\server\\share", {}, "\\"}};
  for (const auto& c : cases) {
    ExistingPaths = c.existing;
    char buffer[64];
    std::strcpy(buffer, c.path);
    TrimToExistingFolder(buffer, FakePathExists);
    EXPECT_STREQ(buffer, c.trimmed) << c.path;
  }

  const char* file = "C:\\frames\\mine.png";
  ExistingPaths = {};
  for (int32_t id : {2000, 2090}) EXPECT_EQ(ChooseStartFrame(id, file, FakePathExists), ImageSource(id));
  for (int32_t id : {1999, 2091, -2, 0, INT32_MIN, INT32_MAX, FRAME_ID_CUSTOM}) {
    EXPECT_EQ(ChooseStartFrame(id, file, FakePathExists), ImageSource(FRAME_ID_DEFAULT)) << id;
  }
  EXPECT_EQ(ChooseStartPhoto(file, FakePathExists), DEFAULT_PHOTO_ID);
  ExistingPaths = {file};
  EXPECT_EQ(ChooseStartFrame(FRAME_ID_CUSTOM, file, FakePathExists), reinterpret_cast<ImageSource>(file));
  EXPECT_EQ(ChooseStartPhoto(file, FakePathExists), reinterpret_cast<ImageSource>(file));
}

// A stored string is taken with or without its zero when it fits, else emptied.
// A path is storable in UTF-8 as the program keeps it, up to the longest path
// Windows takes.
TEST(StoredStrings, TakeValuesThatFitEmptyTheRestAndTakeValidUtf8PathsUpTo259UnitsOfUtf16) {
  const std::u16string longest(259, u'p');
  const struct { std::u16string units; size_t bufferSize; int fits; std::u16string taken; } cases[] = {
      {u"C:\\a", 260, 1, u"C:\\a"}, {std::u16string(u"C:\\a\0", 5), 260, 1, u"C:\\a"}, {u"", 260, 1, u""},
      {longest, 260, 1, longest}, {longest + u'\0', 260, 1, longest}, {longest + u'p', 260, 0, u""},
      {std::u16string(4000, u'p'), 260, 0, u""}, {u"ab", 0, 0, u""},
  };
  for (const auto& c : cases) {
    std::u16string buffer(c.bufferSize + 1, u'#');  // one guard unit past the buffer
    std::copy_n(c.units.begin(), std::min(c.units.size(), c.bufferSize), buffer.begin());
    const int fits = TerminateStringValue(buffer.data(), c.bufferSize, c.units.size());
    // Nothing is written past the buffer.
    EXPECT_EQ((c.bufferSize ? std::u16string(buffer.c_str()) : u"") + buffer.back(), c.taken + u'#') << c.units.size();
    EXPECT_EQ(fits, c.fits) << c.units.size();
  }

  const std::string cjk = "\xE5\x86\x99", pair = "\xF0\x9F\x93\xB7";  // one unit in 3 bytes, two in 4
  std::string longestCjk;
  for (int i = 0; i < 259; ++i) longestCjk += cjk;
  const struct { std::string text; int storable; } paths[] = {
      {"C:\\a.jpg", 1}, {"", 1}, {longestCjk, 1}, {longestCjk + "a", 0}, {std::string(259, 'p'), 1},
      {std::string(260, 'p'), 0}, {std::string(258, 'p') + pair, 0}, {std::string(257, 'p') + pair, 1},
      {"\xE9t\xE9", 0}};
  for (const auto& c : paths) EXPECT_EQ(IsStorablePath(c.text.c_str()), c.storable) << c.text.size() << " " << c.text.substr(0, 8);
}

// Stored numbers out of range come back into range, keeping their meaning
// where they have one; values in range stay.
TEST(KeepLoadedSettingsInRange, BringsEachStoredNumberIntoRange) {
  using S = SettingsTable;
  const struct { int32_t S::*field; int32_t stored, loaded; } cases[] = {
      {&S::AlwaysOnTheTop, 2, 2}, {&S::AlwaysOnTheTop, -1, -1}, {&S::AutoStart, INT32_MIN, INT32_MIN},
      {&S::FrameID, INT32_MAX, INT32_MAX}, {&S::TrayIcon, -5, 1}, {&S::TrayIcon, 0, 0}, {&S::Show, 0, 1}, {&S::Show, 3, 1},
      {&S::Show, 2, 2}, {&S::W1, 31, 32}, {&S::W1, -100, 32}, {&S::H1, 257, 256}, {&S::H1, 200, 200},
      {&S::X1, INT32_MAX, INT32_MAX - 100}, {&S::Y1, INT32_MAX - 99, INT32_MAX - 100}, {&S::Y1, INT32_MIN, INT32_MIN},
      {&S::W3, 0, 1}, {&S::H3, -168, 1}, {&S::W3, 5000, 5000}, {&S::H3, INT32_MAX, 1 << 26},
      {&S::X2, INT32_MIN, -(1 << 26)}, {&S::Y2, (1 << 26) + 1, 1 << 26}, {&S::W2, -7, -7},
      {&S::SlideInterval, 0, 0}, {&S::SlideInterval, 3600, 3600}, {&S::SlideInterval, 61, 60},
      {&S::SlideInterval, -10, 60}, {&S::SlideRandom, 1, 1}, {&S::SlideRandom, 2, 0}, {&S::SlideRandom, -1, 0}};
  for (const auto& c : cases) {
    SettingsTable settings = BUILT_IN_SETTINGS;
    settings.*c.field = c.stored;
    KeepLoadedSettingsInRange(settings);
    EXPECT_EQ(settings.*c.field, c.loaded) << "stored " << c.stored;
    settings.*c.field = BUILT_IN_SETTINGS.*c.field;
    EXPECT_EQ(std::memcmp(&settings, &BUILT_IN_SETTINGS, sizeof settings), 0) << "stored " << c.stored;
  }
}

// What Explorer, a shortcut, the Run entry or a user's own command line hand
// over: hidden ("h") only when the whole line ends in the switch; one
// argument, whole, or nothing ("0") and the buffer left as it was.
TEST(CommandLine, EndsWithTheHiddenSwitchAndTakesTheOneArgumentWholeOrNothing) {
  const std::string fits(255, 'p');
  std::string taken;
  for (const std::string& line : std::initializer_list<std::string>{
           "\"C:\\Program Files\\c.exe\" \"C:\\My Photos\\a b.jpg\"", "c.exe  C:\\my photo.png \t",
           "c.exe \"C:\\x.png\" /a", "c.exe \"C:\\y.png\"/a", "c.exe /a \"C:\\z.png\"", "c.exe C:\\w.png /a",
           "\"c.exe\"C:\\v.png", "c.exe C:\\dir/a", "c.exe /A", "c.exe /a x", "c.exe " + fits, "c.exe", "c.exe/a", "/a",
           "a", "\"C:\\P F\\c.exe\" /a", "\"c.exe\" /a ", "c.exe \"\"", "c.exe \"C:\\x.png", "c.exe \"C:\\x\" \"C:\\y\"",
           "c.exe p" + fits, "\"c.exe C:\\x.png", "c.exe \"C:\\x.png\"\"", ""}) {
    char path[256] = "-";
    const int took = TakeCommandLinePath(line.c_str(), path, sizeof path);
    taken += (EndsWithHiddenSwitch(line.c_str()) ? "h" : "") +
             (took ? std::string(path).substr(0, 20) : "0" + std::string(path)) + "|";
  }
  EXPECT_EQ(taken, "C:\\My Photos\\a b.jpg|C:\\my photo.png|hC:\\x.png|hC:\\y.png|C:\\z.png|hC:\\w.png|C:\\v.png|"
                   "hC:\\dir/a|/A|x|pppppppppppppppppppp|0-|h0-|h0-|0-|h0-|0-|0-|0-|0-|0-|0-|0-|0-|");
  // Several full paths, as "Send to" passes them, are packed in their order; anything else is no list.
  std::string many = "c.exe";
  for (int i = 0; i <= SLIDES_MAX; ++i) many += " C:\\" + std::to_string(i);
  std::string lists;
  for (const std::string& line : std::initializer_list<std::string>{
           "c.exe \"C:\\a b.jpg\" C:\\c.jpg /a \"\\\\pc\\s\\d.png\"", "\"c.exe\" /a C:\\a C:\\b", many, "c.exe C:\\a.jpg",
           "c.exe C:\\my photo.png", "c.exe \"C:\\a\" b.jpg", "c.exe \"C:\\a\"\"C:\\b\"", "c.exe \"C:\\a\" \"C:\\b",
           "c.exe C:\\a \"\"", "c.exe C:\\a C:\\b\"c\"", "c.exe C:\\a C:\\" + std::string(PATH_BUFFER_SIZE, 'p')}) {
    std::string packed(SLIDE_FILES_VALUE_MAX, '#');
    size_t size = 0;
    const int count = TakeCommandLinePaths(line.c_str(), packed.data(), packed.size(), size);
    lists += std::to_string(count) + ":" + (count > 100 ? std::to_string(size) : packed.substr(0, size)) + "|";
  }
  constexpr char expected[] = "3:C:\\a b.jpg\0C:\\c.jpg\0\\\\pc\\s\\d.png\0\0|2:C:\\a\0C:\\b\0\0|1000:6891|0:|0:|0:|0:|"
                               "0:|0:|0:|0:|";
  EXPECT_EQ(lists, std::string(expected, sizeof expected - 1));
}

bool operator==(const ScreenRect& a, const ScreenRect& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A window moves whole onto a work area; a resize step keeps to it, moving
// inward at an edge, and goes no further off where the user left it partly
// off; a quarter inset of a window marks what must lie on the screen.
TEST(WorkArea, AWindowMovesOntoItAResizeStepKeepsToItAndAQuarterInsetMarksWhatMustShow) {
  const ScreenRect work = {0, 0, 1280, 984};
  const ScreenRect cases[][3] = {
      {{3000, 40, 3100, 140}, work, {1180, 40, 1280, 140}}, {{-2000, -500, -1744, -244}, work, {0, 0, 256, 256}},
      {{500, 5000, 600, 5100}, work, {500, 884, 600, 984}}, {{10, 32, 110, 132}, work, {10, 32, 110, 132}},
      {{900, 900, 1156, 1156}, {0, 0, 200, 150}, {0, 0, 256, 256}},
      {{1200, 900, 1300, 1000}, work, {1180, 884, 1280, 984}}};
  for (const auto& [window, area, moved] : cases) EXPECT_TRUE(MoveOntoWorkArea(window, area) == moved) << window.left;
  const ScreenRect steps[][3] = {
      // Grown at the top-right corner: inward, by the whole step.
      {{1178, -2, 1282, 102}, {1180, 0, 1280, 100}, {1176, 0, 1280, 104}},
      {{-2, 880, 102, 984}, {0, 882, 100, 982}, {0, 880, 104, 984}},
      {{-2, 882, 102, 986}, {0, 884, 100, 984}, {0, 880, 104, 984}},
      // In the middle and shrinking anywhere: as stepped.
      {{498, 298, 602, 402}, {500, 300, 600, 400}, {498, 298, 602, 402}},
      {{-48, -48, 48, 48}, {-50, -50, 50, 50}, {-48, -48, 48, 48}},
      // Left partly off by the user: no further off.
      {{1248, 498, 1352, 602}, {1250, 500, 1350, 600}, {1246, 498, 1350, 602}},
      {{-30, 498, 74, 602}, {-28, 500, 72, 600}, {-28, 498, 76, 602}}};
  for (const auto& [after, before, kept] : steps) {
    EXPECT_TRUE(KeepOnWorkArea(after, before, work) == kept) << after.left << "," << after.top;
  }
  EXPECT_TRUE(KeepOnWorkArea({0, 0, 1400, 100}, {0, 0, 1200, 90}, work) == (ScreenRect{0, 0, 1400, 100}));
  EXPECT_TRUE(QuarterInset({1180, -60, 1380, 140}) == (ScreenRect{1230, -10, 1330, 90}));
  EXPECT_TRUE(QuarterInset({10, 20, 113, 70}) == (ScreenRect{35, 32, 88, 58}));
}

// A new ornament goes right of the one it comes from, else left, below,
// above, else the first free place across the work area; never over another.
TEST(WorkArea, ANewOrnamentGoesBesideItsOwnOnTheWorkAreaAndOverNoOther) {
  const ScreenRect work = {0, 0, 1280, 984}, size = {0, 0, 100, 120};
  const ScreenRect middle = {500, 300, 600, 420}, rightEdge = {1180, 300, 1280, 420};
  const ScreenRect corner = {1180, 0, 1280, 120}, leftOfCorner = {1072, 0, 1172, 120};
  struct Case {
    ScreenRect beside;
    std::vector<ScreenRect> others;
    ScreenRect placed;
  };
  const Case cases[] = {
      {middle, {middle}, {608, 300, 708, 420}},
      {rightEdge, {rightEdge}, {1072, 300, 1172, 420}},
      {corner, {corner, leftOfCorner}, {1180, 128, 1280, 248}},
      // Boxed in on all four sides: the first free place, row by row.
      {middle, {middle, {608, 300, 708, 420}, {392, 300, 492, 420}, {500, 428, 600, 548}, {500, 172, 600, 292}},
       {0, 0, 100, 120}},
      {middle, {middle, {0, 0, 100, 120}, {608, 300, 708, 420}, {392, 300, 492, 420}, {500, 428, 600, 548},
                {500, 172, 600, 292}}, {100, 0, 200, 120}},
  };
  for (const Case& c : cases) {
    const ScreenRect placed = PlaceBeside(c.beside, size, c.others.data(), static_cast<int>(c.others.size()), work);
    EXPECT_TRUE(placed == c.placed) << c.beside.left << " with " << c.others.size() << ": " << placed.left << ","
                                    << placed.top;
  }
  // A work area full of windows: beside, moved onto the work area, is all that is left.
  const ScreenRect full = {0, 0, 1280, 984};
  EXPECT_TRUE(PlaceBeside(rightEdge, size, &full, 1, work) == (ScreenRect{1180, 300, 1280, 420}));
}

// Further ornaments are stored under "Ornament 2" to "Ornament 16", nothing else.
TEST(OrnamentKeys, NumberTwoToSixteenNameASubkeyAndNoOtherNumberOrShortBufferDoes) {
  char name[ORNAMENT_KEY_NAME_SIZE];
  std::string names;
  for (int number : {2, 9, 10, 16}) {
    ASSERT_EQ(OrnamentKeyName(number, name, sizeof name), 1) << number;
    names += std::string(name) + "|";
  }
  EXPECT_EQ(names, "Ornament 2|Ornament 9|Ornament 10|Ornament 16|");
  for (int number : {INT_MIN, -1, 0, 1, 17, 100}) EXPECT_EQ(OrnamentKeyName(number, name, sizeof name), 0) << number;
  std::memset(name, 'x', sizeof name);
  EXPECT_EQ(OrnamentKeyName(16, name, 11), 0);
  EXPECT_EQ(OrnamentKeyName(9, name, 11), 1);
  EXPECT_EQ(OrnamentKeyName(9, name, 10), 0);
}

}  // namespace
