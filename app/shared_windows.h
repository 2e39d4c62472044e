// The frame windows and what comes with them that several parts share: the
// device context of the one whose message is handled, the region buffer and
// the class registration that the splash window uses too.
#pragma once
#include <windows.h>

#include "app/size_limits.h"

constexpr int REGION_BUFFER_RECTS = 2500;
constexpr int REGION_BUFFER_SIZE = sizeof(RGNDATAHEADER) + REGION_BUFFER_RECTS * sizeof(RECT);

// The frame window of the ornament whose message the window's thread is
// handling (between messages, the one used last) and its device context.
extern HWND FrameWindow;
extern HDC FrameDC;
// Every ornament's frame window in the order they are stored, and the one
// used last (clicked, dragged, its menu opened): the tray icon shows it, and
// photos from Explorer and other starts go to it.
extern HWND OrnamentWindows[ORNAMENTS_MAX];
extern int OrnamentCount;
extern HWND LastUsedWindow;
// Set once the program has begun to end: it takes no more photos or show
// requests from other starts, which then wait for it to go.
extern bool ProgramEnding;
extern HGLOBAL RegionBufferHandle;
extern RGNDATA* RegionBuffer;

// Registers a class for a borderless window with its own device context that
// never erases its background. Returns the class atom.
ATOM RegisterPopupClass(const char* className, WNDPROC windowProc);
