// Shortcuts to the program on the desktop, in the Start Menu and in Quick Launch.
#pragma once

enum : int { SHORTCUT_DESKTOP = 1, SHORTCUT_START_MENU = 2, SHORTCUT_QUICK_LAUNCH = 3 };

// Writes "Brivanta Cherimo.lnk" into the place's folder unless one is there.
void PlaceShortcut(int place);

// One shell link to target with the description and nothing else set.
void WriteShortcut(const char* target, const char* description, const char* file);
