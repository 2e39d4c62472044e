// Shortcuts to the program on the desktop, in the Start Menu and in Quick Launch.
#pragma once

enum : int { SHORTCUT_DESKTOP = 1, SHORTCUT_START_MENU = 2, SHORTCUT_QUICK_LAUNCH = 3 };

// Writes "Brivanta Cherimo.lnk" into the place's folder unless one is there.
void PlaceShortcut(int place);
