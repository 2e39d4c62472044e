// Composes photo and frame on the frame window and shapes it.
#pragma once
#include <windows.h>

void MsgRecompose(WPARAM keepRegion, LPARAM skipTray);
