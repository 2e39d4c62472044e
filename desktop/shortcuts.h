// Shortcuts to the program on the desktop, in the Start menu and in Quick Launch.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "desktop/link_paths.h"

enum class ShortcutResult { WRITTEN, ALREADY_THERE, NO_FOLDER };

// Writes "Brivanta Cherimo.lnk" into the place's folder unless one is there;
// says so in a notice when it is.
ShortcutResult PlaceShortcut(int place);

// 1 when the place's folder exists (Quick Launch does not on newer Windows).
int ShortcutFolderExists(int place);

// One shell link to target with the description and nothing else set; all three paths UTF-8.
void WriteShortcut(const char* target, const char* description, const char* file);

// The shell's known folders, replaceable so that tests can take them away.
using KnownFolderFunction = HRESULT(WINAPI*)(REFKNOWNFOLDERID id, DWORD flags, HANDLE token, PWSTR* path);
extern KnownFolderFunction KnownFolderCall;
