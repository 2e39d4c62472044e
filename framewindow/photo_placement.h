// Panning, zooming, moving and sizing the frame window with mouse and keys,
// and photos dropped on the window or handed over by a second start.
#pragma once
#include <windows.h>

#include "app/size_limits.h"
#include "framewindow/placement_rules.h"

// A pan (Ctrl) or zoom (Shift) drag on one ornament's photo.
struct PhotoDrag {
  int panActive = 0;
  int zoomActive = 0;
  POINT lastPoint = {};
  PanDrag pan = {};
  ZoomDrag zoom = {};
};

// The path of a dropped file or of the open dialog's choice.
extern char FileNameBuffer[PATH_BUFFER_SIZE];

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
void MsgDropFiles(HDROP drop);
// 1 when the data was a photo path or a list of them and was taken (whether
// they decode or not).
LRESULT MsgCopyData(const COPYDATASTRUCT* data);
