// The window's and the notification area's icons: the current frame with the
// current photo in small, transparent outside the frame's outline, at the
// small and large icon sizes of the frame window's DPI.
#pragma once
#include <windows.h>

#include <cstdint>

// An ornament's icons, small (the window's small icon and the tray's) and
// large; each recomposition replaces them, and the owner destroys the last.
struct FrameIcons {
  HICON smallIcon = nullptr;
  HICON largeIcon = nullptr;

  FrameIcons() = default;
  FrameIcons(const FrameIcons&) = delete;
  FrameIcons& operator=(const FrameIcons&) = delete;
  ~FrameIcons();
};

// Counts of icons made and destroyed, so tests can show none are lost.
struct FrameIconCounters {
  long made;
  long destroyed;
};
extern FrameIconCounters FrameIconCounts;

// Makes a side × side icon from the three window-sized pictures of a
// recomposition (composition, keys and artwork, width × height each). Null
// when it cannot be made.
HICON BuildFrameIcon(const uint32_t* composition, const uint32_t* keys, const uint32_t* artwork, int width,
                     int height, int side);

// Makes these the current icons and destroys the ones before, if any.
void ReplaceFrameIcons(FrameIcons& icons, HICON smallIcon, HICON largeIcon);
