// The notification-area icon.
#pragma once
#include <windows.h>

// The icon argument that removes the tray icon.
inline const HICON TRAY_ICON_REMOVE = reinterpret_cast<HICON>(static_cast<INT_PTR>(-1));

void UpdateTrayIcon(HICON icon);

void MsgSetTrayIcon(WPARAM on, LPARAM icon);
void MsgTrayNotify(WPARAM iconId, LPARAM mouseMessage);
