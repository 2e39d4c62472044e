// A memory device context with one selected bitmap. The surface owns both;
// remaking it releases the old pair first. Surfaces are never copied, only
// moved: the one that holds the pair releases it.
#pragma once
#include <windows.h>
#include <cstdint>

struct Surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;

  Surface() = default;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  Surface(Surface&& other) noexcept;
  Surface& operator=(Surface&& other) noexcept;
  ~Surface();
};

// Counts of surfaces made and released, so tests can show none are lost.
struct SurfaceCounters {
  long made;
  long released;
};
extern SurfaceCounters SurfaceCounts;

// A 32-bpp top-down DIB section; pixels are 0x00RRGGBB, rows width * 4 bytes.
HBITMAP CreateDib32(int width, int height, BITMAPINFO* header, uint32_t** pixels);

// Both release the surface first. On failure (no memory, or a size that
// ImageSizeAllowed refuses) the surface stays empty, the size variables keep
// their values and the pixel pointer is null.
int MakeBitmapSurface(HDC reference, Surface& surface, int32_t& width, int32_t& height, int newWidth, int newHeight);
int MakeDibSurface(HDC reference, Surface& surface, int32_t& width, int32_t& height, uint32_t*& pixels, int newWidth,
                   int newHeight);

// Deselects the bitmap, then deletes bitmap and device context.
void ReleaseSurface(Surface& surface);

// The pixels and size of a DIB surface; null for a surface without a DIB section.
uint32_t* DibPixels(const Surface& surface, int* width, int* height);
