// The hyperlink control of the About box: its window text is both what it
// shows and the address that a completed click hands to the shell.
#pragma once
#include <windows.h>

// Lives from start-up to the end of the process.
extern HFONT LinkFont;

// Makes the link font and registers the link's window class.
void InitLinkControl();

LRESULT CALLBACK LinkControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
