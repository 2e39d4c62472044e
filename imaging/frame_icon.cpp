#include "imaging/frame_icon.h"

#include <cstring>

#include "imaging/icon_pixels.h"
#include "imaging/owned_handle.h"
#include "imaging/surface.h"

HICON FrameIcon;
FrameIconCounters FrameIconCounts;

HICON BuildFrameIcon(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                     int height) {
  IconPixels pixels;
  if (!ComposeIconPixels(composition, keys, artwork, width, height, pixels)) return nullptr;
  // CreateIconIndirect copies both bitmaps: they are deleted on return.
  OwnedBitmap color, mask;
  BITMAPINFO header;
  uint32_t* colorPixels = nullptr;
  color.handle = CreateDib32(ICON_SIDE, ICON_SIDE, &header, &colorPixels);
  mask.handle = CreateBitmap(ICON_SIDE, ICON_SIDE, 1, 1, pixels.mask);
  if (!color.handle || !mask.handle) return nullptr;
  std::memcpy(colorPixels, pixels.color, sizeof pixels.color);
  GdiFlush();
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmMask = mask.handle;
  info.hbmColor = color.handle;
  HICON icon = CreateIconIndirect(&info);
  if (icon) ++FrameIconCounts.made;
  return icon;
}

void ReplaceFrameIcon(HICON icon) {
  HICON previous = FrameIcon;
  FrameIcon = icon;
  if (previous && previous != icon) {
    DestroyIcon(previous);
    ++FrameIconCounts.destroyed;
  }
}
