// Paths handed to the program and the stored set of them, on plain values:
// which paths are full, and how a list of paths is packed and checked.
// Start-up takes a set from its command line and the frame window from a drop
// or another start's hand-over.
#pragma once
#include <cstddef>
#include <cstdint>

#include "app/size_limits.h"

// 1 for a path that names its drive ("C:\...") or share ("\\server\..."):
// one that needs no current folder to be found.
int IsFullPath(const char* path);

// Up to SLIDES_MAX names (or full paths) in one block of text.
struct SlideList {
  int count;
  int heaped;  // full: the offsets form a heap with the last name in order on top
  uint32_t used;
  uint32_t offsets[SLIDES_MAX];
  char text[SLIDES_MAX * PATH_BUFFER_SIZE];
};

void ClearSlides(SlideList& list);
inline const char* SlideAt(const SlideList& list, int index) { return list.text + list.offsets[index]; }

// The stored set: each full path with its zero, then one more zero
// (REG_MULTI_SZ). The size written, or 0 when the buffer is too small.
size_t PackSlides(const SlideList& list, char* bytes, size_t capacity);
// Adds one path to packed bytes of `size` (0 for none yet); 0 when it does not fit.
int AppendPackedSlide(char* bytes, size_t& size, size_t capacity, const char* path);
// How many paths the bytes hold when they are such a set of 1 to SLIDES_MAX
// full paths that each fit a path buffer; 0 otherwise.
int CountPackedSlides(const char* bytes, size_t size);
// 1 with the list filled when the bytes are such a set; 0, with the list empty, otherwise.
int UnpackSlides(const char* bytes, size_t size, SlideList& list);
