// The slideshow's rules on plain values: the order of names as Explorer sorts
// them, random rounds, when a change may happen, and the stored list of files.
#pragma once
#include <cstddef>
#include <cstdint>

#include "app/size_limits.h"

// Single paths that reach the program this close together are one set.
constexpr uint32_t SLIDE_JOIN_MS = 1000;

// <0, 0 or >0 as Explorer would order the two names: letters without case,
// runs of digits by their value ("IMG_2" before "IMG_10").
int CompareNaturalNames(const char* a, const char* b);

// 1 when the name ends in one of the extensions of the list, without case;
// the list is ";"-separated extensions with their dots (".jpg;.png").
int HasListedExtension(const char* name, const char* extensions);

// Up to SLIDES_MAX names (or full paths) in one block of text.
struct SlideList {
  int count;
  int heaped;  // full: the offsets form a heap with the last name in order on top
  uint32_t used;
  uint32_t offsets[SLIDES_MAX];
  char text[SLIDES_MAX * PATH_BUFFER_SIZE];
};

void ClearSlides(SlideList& list);
// Adds a name shorter than a path buffer; once the list is full it keeps the
// SLIDES_MAX first names in name order. 0 when the name is refused.
int AddSlide(SlideList& list, const char* name);
// Puts the names in name order; call after the last AddSlide.
void SortSlides(SlideList& list);
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

// A fresh random round: order[] holds 0 to count-1 once each, and never starts
// with `avoid` (the photo just shown) when there is another to start with.
uint32_t NextRandom(uint32_t& state);
void ShuffleRound(int* order, int count, int avoid, uint32_t& state);

// What a change waits for: nobody sees a hidden or minimised window, and a
// change under the user's hand (pointer over the frame, a drag, the menu or
// a dialog open) would snatch the photo away.
struct SlideConditions {
  bool visible, minimised, pointerOver, dragging, menuOpen, dialogOpen;
};
int SlideMayChange(const SlideConditions& now);
