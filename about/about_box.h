// The modal About box with its list of keys and mouse actions; Enter and the
// close button end it.
#pragma once
#include <windows.h>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
