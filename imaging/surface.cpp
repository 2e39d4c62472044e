#include "imaging/surface.h"

SurfaceCounters SurfaceCounts;

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
  width = newWidth;
  height = newHeight;
  return AdoptBitmap(reference, surface, CreateCompatibleBitmap(reference, newWidth, newHeight));
}

int MakeDibSurface(HDC reference, Surface& surface, int32_t& width, int32_t& height, uint32_t*& pixels, int newWidth,
                   int newHeight) {
  ReleaseSurface(surface);
  width = newWidth;
  height = newHeight;
  BITMAPINFO header;
  HBITMAP bitmap = CreateDib32(newWidth, newHeight, &header, &pixels);
  if (!AdoptBitmap(reference, surface, bitmap)) {
    pixels = nullptr;
    return 0;
  }
  return 1;
}
