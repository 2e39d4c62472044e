// The photo and frame the window shows: each message decodes its source and
// puts the picture in place, or changes nothing when it cannot.
#pragma once
#include <windows.h>

// The frame image of any size becomes 256 × 256.
constexpr int FRAME_SURFACE_SIDE = 256;

// wParam: an image source (a path's address above 0xFFFF, else an "R" id).
// lParam 1: the quiet start-up call, which neither recomposes nor, for the
// photo, resets pan and zoom. Both return the Refusal: 0 when shown, else
// why nothing changed (a size it names is in LoaderRefusal).
LRESULT MsgSetPhoto(WPARAM source, LPARAM startup);
LRESULT MsgSetFrame(WPARAM source, LPARAM startup);
