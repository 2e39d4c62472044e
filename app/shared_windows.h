// The frame window and what comes with it that several parts share: its
// device context, its region buffer and the class registration that the
// splash window uses too. Made by the frame window on creation.
#pragma once
#include <windows.h>

constexpr int REGION_BUFFER_RECTS = 2500;
constexpr int REGION_BUFFER_SIZE = sizeof(RGNDATAHEADER) + REGION_BUFFER_RECTS * sizeof(RECT);

extern HWND FrameWindow;
// Set once the program has begun to end: it takes no more photos or show
// requests from other starts, which then wait for it to go.
extern bool ProgramEnding;
extern HDC FrameDC;
extern HGLOBAL RegionBufferHandle;
extern RGNDATA* RegionBuffer;

// Registers a class for a borderless window with its own device context that
// never erases its background. Returns the class atom.
ATOM RegisterPopupClass(const char* className, WNDPROC windowProc);
