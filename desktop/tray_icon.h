// The notification-area icon.
#pragma once
#include <windows.h>

// The icon argument that removes the tray icon.
inline const HICON TRAY_ICON_REMOVE = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

void UpdateTrayIcon(HICON icon);
// The window the shown icon belongs to; null while there is none.
HWND TrayIconWindow();

// A restarted shell has forgotten the icon: add it again when it is wanted.
void RestoreTrayIconAfterShellRestart();

// The shell call, replaceable so that tests can record the requests.
using TrayShellFunction = BOOL(WINAPI*)(DWORD action, PNOTIFYICONDATAA data);
extern TrayShellFunction TrayShellCall;
// How long a refused icon waits to be added again; tests shorten it.
extern unsigned TrayRetryMs;

void MsgSetTrayIcon(WPARAM on, LPARAM icon);
void MsgTrayNotify(WPARAM iconId, LPARAM mouseMessage);
