// The window's and the notification area's 32 × 32 icon: the current frame
// with the current photo in small, transparent outside the frame's outline.
#pragma once
#include <windows.h>

#include <cstdint>

// The current icon; each recomposition replaces it and destroys the old one.
extern HICON FrameIcon;

// Counts of icons made and destroyed, so tests can show none are lost.
struct FrameIconCounters {
  long made;
  long destroyed;
};
extern FrameIconCounters FrameIconCounts;

// Makes the icon from the three window-sized pictures of a recomposition
// (composition, keys and artwork, width × height each). Null when it cannot
// be made.
HICON BuildFrameIcon(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                     int height);

// Makes `icon` the current FrameIcon and destroys the one before, if any.
void ReplaceFrameIcon(HICON icon);
