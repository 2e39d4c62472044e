// Starting with Windows: the current user's Run entry follows AutoStart.
#pragma once
#include <windows.h>

#include <cstdint>

// lParam 0 is the menu, 1 the start-up call: only the user's own choice in
// the menu clears a switched-off mark that Task Manager has left.
void MsgSetAutostart(WPARAM on, LPARAM lParam);

// Writes the Run entry when on is 1 and deletes it otherwise.
void SetAutoStart(int32_t on);
