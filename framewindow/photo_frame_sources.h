// The photo and frame the window shows.
#pragma once
#include <windows.h>

void MsgSetPhoto(WPARAM source, LPARAM startup);
void MsgSetFrame(WPARAM source, LPARAM startup);
