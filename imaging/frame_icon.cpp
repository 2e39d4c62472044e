#include "imaging/frame_icon.h"

#include <cstring>

#include "imaging/icon_pixels.h"
#include "imaging/owned_handle.h"
#include "imaging/surface.h"

FrameIconCounters FrameIconCounts;

namespace {

void ReplaceIcon(HICON& current, HICON icon) {
  HICON previous = current;
  current = icon;
  if (previous && previous != icon) {
    DestroyIcon(previous);
    ++FrameIconCounts.destroyed;
  }
}

}  // namespace

HICON BuildFrameIcon(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                     int height, int side) {
  IconPixels pixels;
  if (!ComposeIconPixels(composition, keys, artwork, width, height, side, pixels)) return nullptr;
  // CreateIconIndirect copies both bitmaps: they are deleted on return.
  OwnedBitmap color, mask;
  BITMAPINFO header;
  uint32_t* colorPixels = nullptr;
  color.handle = CreateDib32(side, side, &header, &colorPixels);
  mask.handle = CreateBitmap(side, side, 1, 1, pixels.mask.data);
  if (!color.handle || !mask.handle) return nullptr;
  std::memcpy(colorPixels, pixels.color.data, pixels.color.count * sizeof(uint32_t));
  GdiFlush();
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask.handle;
  info.hbmColor = color.handle;
  HICON icon = CreateIconIndirect(&info);
  if (icon) ++FrameIconCounts.made;
  return icon;
}

FrameIcons::~FrameIcons() { ReplaceFrameIcons(*this, nullptr, nullptr); }

void ReplaceFrameIcons(FrameIcons& icons, HICON smallIcon, HICON largeIcon) {
  ReplaceIcon(icons.smallIcon, smallIcon);
  ReplaceIcon(icons.largeIcon, largeIcon);
}
