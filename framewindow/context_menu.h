// The right-click menu and the commands it sends.
#pragma once
#include <windows.h>
#include <cstdint>

extern HMENU ContextMenu;

void BuildContextMenu();
void RefreshMenuChecks();
void MsgCommand(unsigned command);

// Hands an address to the shell (browser, mail program); the result is
// ignored, as nobody may answer.
void OpenWithShell(const char* text);

// Turns 0 into 1 and 1 into 0; returns the new value.
int32_t ToggleSetting(int32_t& setting);
