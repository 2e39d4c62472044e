// Whether the frame window is topmost, has a taskbar button, is shown or put away.
#pragma once
#include <windows.h>

void SetTopmost(HWND window, int on);
void SetTaskbarPresence(HWND window, int on);

void MsgSetShowState(WPARAM state, LPARAM hideOnly);
void MsgSetTaskbar(WPARAM on);
void MsgSetTopmost(WPARAM on);
