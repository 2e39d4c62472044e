// Composing the autostart command and the shortcut paths in fixed buffers:
// a text that does not fit is refused whole, never cut off.
#pragma once
#include <cstddef>

enum : int { SHORTCUT_DESKTOP = 1, SHORTCUT_START_MENU = 2, SHORTCUT_QUICK_LAUNCH = 3 };

// The quoted module path, a blank and the hidden-start switch. 0, with an
// empty command, when the module path is empty or the command does not fit.
int ComposeAutostartCommand(char* command, size_t capacity, const char* modulePath);

// The place's folder (registry data of folderSize bytes, with or without its
// zero) followed by the place's subfolder and the shortcut's file name.
// 0, with an empty path, for an empty folder, an unknown place or a path that
// does not fit.
int ComposeShortcutPath(char* path, size_t capacity, const char* folder, size_t folderSize, int place);
