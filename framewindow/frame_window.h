// The shaped main window: the hub every part sends its requests to.
#pragma once
#include <windows.h>

#include "imaging/surface.h"

constexpr int REGION_BUFFER_RECTS = 2500;
constexpr int REGION_BUFFER_SIZE = sizeof(RGNDATAHEADER) + REGION_BUFFER_RECTS * sizeof(RECT);

extern HWND FrameWindow;
extern HDC FrameDC;
extern HGLOBAL RegionBufferHandle;
extern RGNDATA* RegionBuffer;
extern Surface PhotoSurface;

// Registers a class for a borderless window with its own device context that
// never erases its background. Returns the class atom.
ATOM RegisterPopupClass(const char* className, WNDPROC windowProc);

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Records the frame window's rectangle in X1, Y1, W1, H1.
void StoreWindowRect();
