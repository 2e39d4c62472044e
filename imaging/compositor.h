// Composes photo and frame on the frame window, shapes the window after the
// frame's outline and gives it the matching icon.
#pragma once
#include <windows.h>

#include <cstdint>

#include "imaging/photo_reductions.h"
#include "imaging/surface.h"

// The photo at its own size, with the halved copies kept beside it.
extern Surface PhotoSurface;

// The current frame at 256 × 256, both DIB surfaces: the image with its key
// colours, and its artwork with both keys turned black.
extern Surface FrameKeySurface;
extern Surface FrameArtSurface;

// The last composition at the window's client size; the window shows it.
extern Surface CompositionSurface;
extern int32_t CompositionWidth, CompositionHeight;
extern uint32_t* CompositionPixels;

// The call that shapes the window, replaceable so that tests can fail it.
using SetWindowRgnFunction = int(WINAPI*)(HWND window, HRGN region, BOOL redraw);
extern SetWindowRgnFunction SetWindowRgnCall;

// MSG_RECOMPOSE: wParam 1 keeps the window region, lParam 1 leaves the tray
// icon alone. The window icon (and tray icon) follow at once, or within
// 100 ms while recompositions come faster than that (a drag).
void MsgRecompose(WPARAM keepRegion, LPARAM skipTray);

// 1 while the icon of the latest composition waits for its turn.
int IconRefreshPending();

// Takes a new frame's two surfaces (emptying the arguments).
void ReplaceFrameSurfaces(Surface& keys, Surface& artwork);

// Takes a decoded DIB surface as the photo, together with its reductions
// (BuildPhotoReductions), which keep recompositions fast; empties both.
void AdoptPhotoSurface(Surface& photo, PhotoReductions& levels);
