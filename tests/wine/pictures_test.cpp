// The built-in pictures as the program finds them: "R" resources and the
// program icon, read back from this exe's own resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/ids.h"

namespace {

std::string ResourceBytes(LPCSTR id, LPCSTR type) {
  HRSRC found = FindResourceA(nullptr, id, type);
  if (found == nullptr) return "";
  return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                     SizeofResource(nullptr, found));
}

// A PNG signature and its header chunk: the size, 8 bits, RGB, not interlaced.
std::string RgbPngStart(uint32_t width, uint32_t height) {
  std::string start("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
  for (uint32_t side : {width, height}) {
    for (int shift = 24; shift >= 0; shift -= 8) start += static_cast<char>(side >> shift);
  }
  return start + std::string("\x08\x02\0\0\0", 5);
}

TEST(Pictures, EveryPictureIsAnRgbPngOfItsSize) {
  struct Row {
    ImageSource id;
    uint32_t width, height;
  };
  std::vector<Row> rows = {{HINT_PICTURE_ID, 286, 48}, {SPLASH_PICTURE_ID, 190, 152}, {DEFAULT_PHOTO_ID, 87, 127}};
  for (int id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) rows.push_back({static_cast<ImageSource>(id), 256, 256});
  for (const Row& row : rows) {
    EXPECT_EQ(ResourceBytes(MAKEINTRESOURCEA(row.id), "R").substr(0, 29), RgbPngStart(row.width, row.height)) << row.id;
  }
  EXPECT_EQ(ResourceBytes(MAKEINTRESOURCEA(FRAME_ID_LAST + 1), "R"), "");
}

TEST(Pictures, TheProgramIconHoldsOne32By32ImageOfEachColourDepthAndLoads) {
  // The icon group: a count of two, then entries of width, height, ..., bit count.
  const std::string group = ResourceBytes(MAKEINTRESOURCEA(IDI_PROGRAM), MAKEINTRESOURCEA(14));
  ASSERT_EQ(group.size(), 6u + 2 * 14);
  std::vector<std::string> entries = {group.substr(4, 2)};
  for (int entry = 0; entry < 2; ++entry)
    entries.push_back(group.substr(6 + 14 * entry, 2) + group.substr(12 + 14 * entry, 2));
  std::sort(entries.begin() + 1, entries.end());
  EXPECT_EQ(entries,
            (std::vector<std::string>{std::string("\2\0", 2), std::string("  \4\0", 4), std::string("  \x08\0", 4)}));
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ASSERT_NE(icon, nullptr);
  DestroyIcon(icon);
}

}  // namespace
