// The slideshow's rules on plain values: the order of names as Explorer sorts
// them, the first names a full list keeps, random rounds and when a change may
// happen.
#pragma once
#include <cstdint>

#include "app/path_list_rules.h"

// Single paths that reach the program this close together are one set.
constexpr uint32_t SLIDE_JOIN_MS = 1000;

// <0, 0 or >0 as Explorer would order the two names: letters without case,
// runs of digits by their value ("IMG_2" before "IMG_10").
int CompareNaturalNames(const char* a, const char* b);

// 1 when the name ends in one of the extensions of the list, without case;
// the list is ";"-separated extensions with their dots (".jpg;.png").
int HasListedExtension(const char* name, const char* extensions);

// Adds a name shorter than a path buffer; once the list is full it keeps the
// SLIDES_MAX first names in name order. 0 when the name is refused.
int AddSlide(SlideList& list, const char* name);
// Puts the names in name order; call after the last AddSlide.
void SortSlides(SlideList& list);

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
