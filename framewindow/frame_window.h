// The shaped main window: the hub every part sends its requests to.
#pragma once
#include <windows.h>


LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Records the frame window's rectangle in X1, Y1, W1, H1.
void StoreWindowRect();
