// Composes photo and frame on the frame window, shapes the window after the
// frame's outline and gives it the matching icon.
#pragma once
#include <windows.h>

#include <cstdint>

#include "imaging/frame_icon.h"
#include "imaging/heap_array.h"
#include "imaging/outline_scan.h"
#include "imaging/photo_reductions.h"
#include "imaging/surface.h"

// The frame's keys and artwork at the window's size, and the row spans where
// the photo shows. They change only with the frame or the size, not on the
// pan and zoom steps of a drag.
struct ScaledFrame {
  HeapArray<uint32_t> keys, artwork;
  HeapArray<RowSpan> photoSpans;
  int width = 0, height = 0;
  uint32_t revision = 0;
};

// One ornament's pictures: its photo, frame, composition and icons.
struct FrameComposition {
  // The photo at its own size, with the halved copies kept beside it.
  Surface photo;
  PhotoReductions photoLevels;
  // The current frame at 256 × 256, both DIB surfaces: the image with its key
  // colours, and its artwork with both keys turned black.
  Surface frameKeys, frameArt;
  uint32_t frameRevision = 1;  // scaled starts stale
  ScaledFrame scaled;
  // The last composition at the window's client size; the window shows it.
  Surface surface;
  int32_t width = 0, height = 0;
  uint32_t* pixels = nullptr;
  // What the window region was last set from; an unchanged outline is not set
  // again (creating and setting a region costs more than the whole composition).
  RegionBlock appliedRegion;
  HWND appliedRegionWindow = nullptr;
  // The icons of the latest composition, made at most every 100 ms.
  FrameIcons icons;
  bool iconPending = false, trayPending = false, iconTimer = false;
  DWORD lastIconTick = 0;
};

// The composition of the ornament whose message the window's thread handles.
extern FrameComposition* Composed;

// The call that shapes the window, replaceable so that tests can fail it.
using SetWindowRgnFunction = int(WINAPI*)(HWND window, HRGN region, BOOL redraw);
extern SetWindowRgnFunction SetWindowRgnCall;

// MSG_RECOMPOSE: wParam 1 keeps the window region, lParam 1 leaves the tray
// icon alone. The window icon (and tray icon) follow at once, or within
// 100 ms while recompositions come faster than that (a drag): then on the
// window's ICON_TIMER_ID, which calls ApplyPendingIcon.
void MsgRecompose(WPARAM keepRegion, LPARAM skipTray);
void ApplyPendingIcon();

// 1 while the icon of the latest composition waits for its turn.
int IconRefreshPending();

// Takes a new frame's two surfaces (emptying the arguments).
void ReplaceFrameSurfaces(Surface& keys, Surface& artwork);

// Takes a decoded DIB surface as the photo, together with its reductions
// (BuildPhotoReductions), which keep recompositions fast; empties both.
void AdoptPhotoSurface(Surface& photo, PhotoReductions& levels);
