// Starting with Windows.
#pragma once
#include <windows.h>

void MsgSetAutostart(WPARAM on);
