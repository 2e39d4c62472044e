// Whether the frame window is topmost, has a taskbar button, is shown or put away.
#pragma once
#include <windows.h>

void SetTopmost(HWND window, int on);
void SetTaskbarPresence(HWND window, int on);

void MsgSetShowState(WPARAM state, LPARAM hideOnly);
void MsgSetTaskbar(WPARAM on);
void MsgSetTopmost(WPARAM on);
// A new ornament's window: a taskbar button and shown or put away as the others are.
void ShowLikeTheOthers(HWND window);

// A restore done by the system (taskbar button, task switcher) while the
// window was put away: the window is shown again, so the state says so.
void RecordSystemRestore();
