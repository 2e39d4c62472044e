#include "imaging/surface.h"

#include <utility>

#include "imaging/image_header.h"

SurfaceCounters SurfaceCounts;

Surface::Surface(Surface&& other) noexcept
    : dc(std::exchange(other.dc, nullptr)),
      bitmap(std::exchange(other.bitmap, nullptr)),
      previousBitmap(std::exchange(other.previousBitmap, nullptr)) {}

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this != &other) {
    ReleaseSurface(*this);
    dc = std::exchange(other.dc, nullptr);
    bitmap = std::exchange(other.bitmap, nullptr);
    previousBitmap = std::exchange(other.previousBitmap, nullptr);
  }
  return *this;
}

Surface::~Surface() { ReleaseSurface(*this); }

HBITMAP CreateDib32(int width, int height, BITMAPINFO* header, uint32_t** pixels) {
  *header = {};
  header->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header->bmiHeader.biWidth = width;
  header->bmiHeader.biHeight = -height;
  header->bmiHeader.biPlanes = 1;
  header->bmiHeader.biBitCount = 32;
  header->bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, header, DIB_RGB_COLORS, &bits, nullptr, 0);
  *pixels = bitmap ? static_cast<uint32_t*>(bits) : nullptr;
  return bitmap;
}

void ReleaseSurface(Surface& surface) {
  if (!surface.dc && !surface.bitmap) return;
  if (surface.dc && surface.previousBitmap) SelectObject(surface.dc, surface.previousBitmap);
  if (surface.bitmap) DeleteObject(surface.bitmap);
  if (surface.dc) DeleteDC(surface.dc);
  surface.dc = nullptr;
  surface.bitmap = nullptr;
  surface.previousBitmap = nullptr;
  ++SurfaceCounts.released;
}

uint32_t* DibPixels(const Surface& surface, int* width, int* height) {
  DIBSECTION section;
  if (!surface.bitmap || GetObjectA(surface.bitmap, sizeof section, &section) != sizeof section ||
      !section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32) {
    return nullptr;
  }
  *width = section.dsBm.bmWidth;
  *height = section.dsBm.bmHeight;
  return static_cast<uint32_t*>(section.dsBm.bmBits);
}

namespace {

int AdoptBitmap(HDC reference, Surface& surface, HBITMAP bitmap) {
  HDC dc = CreateCompatibleDC(reference);
  if (!bitmap || !dc) {
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return 0;
  }
  surface.dc = dc;
  surface.bitmap = bitmap;
  surface.previousBitmap = SelectObject(dc, bitmap);
  ++SurfaceCounts.made;
  return 1;
}

}  // namespace

int MakeBitmapSurface(HDC reference, Surface& surface, int32_t& width, int32_t& height, int newWidth, int newHeight) {
  ReleaseSurface(surface);
  if (!ImageSizeAllowed(newWidth, newHeight)) return 0;
  if (!AdoptBitmap(reference, surface, CreateCompatibleBitmap(reference, newWidth, newHeight))) return 0;
  width = newWidth;
  height = newHeight;
  return 1;
}

int MakeDibSurface(HDC reference, Surface& surface, int32_t& width, int32_t& height, uint32_t*& pixels, int newWidth,
                   int newHeight) {
  ReleaseSurface(surface);
  pixels = nullptr;
  if (!ImageSizeAllowed(newWidth, newHeight)) return 0;
  BITMAPINFO header;
  uint32_t* bits = nullptr;
  HBITMAP bitmap = CreateDib32(newWidth, newHeight, &header, &bits);
  if (!AdoptBitmap(reference, surface, bitmap)) return 0;
  width = newWidth;
  height = newHeight;
  pixels = bits;
  return 1;
}
