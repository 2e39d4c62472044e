// The built-in pictures as the program finds them: "R" resources and the
// program icon, read back from this exe's own resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "app/ids.h"

namespace {

struct Embedded {
  const uint8_t* bytes = nullptr;
  DWORD size = 0;
};

Embedded FindPicture(unsigned id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "R");
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

uint32_t BigEndian(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

// A PNG signature followed by its header chunk: size, 8 bits, RGB, not interlaced.
void ExpectRgbPng(const Embedded& picture, uint32_t width, uint32_t height) {
  static const uint8_t SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_NE(picture.bytes, nullptr);
  ASSERT_GE(picture.size, 33u);
  EXPECT_EQ(memcmp(picture.bytes, SIGNATURE, 8), 0);
  EXPECT_EQ(memcmp(picture.bytes + 12, "IHDR", 4), 0);
  EXPECT_EQ(BigEndian(picture.bytes + 16), width);
  EXPECT_EQ(BigEndian(picture.bytes + 20), height);
  EXPECT_EQ(picture.bytes[24], 8);
  EXPECT_EQ(picture.bytes[25], 2);
  EXPECT_EQ(picture.bytes[28], 0);
}

TEST(Pictures, EveryFrameIsAnRResourceOf256By256) {
  for (int id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) {
    SCOPED_TRACE(id);
    ExpectRgbPng(FindPicture(static_cast<unsigned>(id)), 256, 256);
  }
  EXPECT_EQ(FindPicture(FRAME_ID_LAST + 1).bytes, nullptr);
}

TEST(Pictures, HintSplashAndPhotoHaveTheirSizes) {
  ExpectRgbPng(FindPicture(HINT_PICTURE_ID), 286, 48);
  ExpectRgbPng(FindPicture(SPLASH_PICTURE_ID), 190, 152);
  ExpectRgbPng(FindPicture(DEFAULT_PHOTO_ID), 87, 127);
}

TEST(Pictures, ProgramIconLoadsAt32By32InBothColourDepths) {
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                             32, 32, LR_DEFAULTCOLOR));
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour = {};
  GetObjectA(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  EXPECT_EQ(colour.bmHeight, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);

  // The icon group names one 32 x 32 image of each depth.
  HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_PROGRAM), MAKEINTRESOURCEA(14));
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
  ASSERT_EQ(directory[4] | directory[5] << 8, 2);
  int depths = 0;
  for (int entry = 0; entry < 2; ++entry) {
    const uint8_t* at = directory + 6 + 14 * entry;
    EXPECT_EQ(at[0], 32);
    EXPECT_EQ(at[1], 32);
    depths |= at[6] | at[7] << 8;
  }
  EXPECT_EQ(depths, 4 | 8);
}

}  // namespace
