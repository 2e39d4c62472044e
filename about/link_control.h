// The hyperlink control of the About box: its window text is both what it
// shows and the address that a completed click hands to the shell.
#pragma once
#include <windows.h>

// Lives from start-up to the end of the process; remade for a link drawn at another DPI.
extern HFONT LinkFont;

// Makes the link font for the screen's DPI and registers the link's window class.
void InitLinkControl();

LRESULT CALLBACK LinkControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
