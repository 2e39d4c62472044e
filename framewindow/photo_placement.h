// Panning, zooming, moving and sizing the frame window with mouse and keys.
#pragma once
#include <windows.h>

#include "framewindow/placement_rules.h"

// A pan (Ctrl) or zoom (Shift) drag on one ornament's photo.
struct PhotoDrag {
  int panActive = 0;
  int zoomActive = 0;
  POINT lastPoint = {};
  PanDrag pan = {};
  ZoomDrag zoom = {};
};

// The cursor query of pan and zoom drags, replaceable so that tests can fail it.
using CursorPosFunction = BOOL(WINAPI*)(LPPOINT point);
extern CursorPosFunction CursorPosCall;

void MsgLButtonDown(WPARAM keys);
void MsgMouseMove();
void MsgLButtonUp();
void MsgCaptureChanged();
void MsgResizeStep(WPARAM direction);
void MsgMouseWheel(WPARAM wParam, LPARAM lParam);
void MsgKeyDown(WPARAM key, LPARAM keyData);
