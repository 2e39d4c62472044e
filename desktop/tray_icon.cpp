#include "desktop/tray_icon.h"

#include <shellapi.h>

#include "app/ids.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "imaging/compositor.h"

namespace {

// The first version of the record (88 bytes on 32-bit Windows): every shell takes it.
NOTIFYICONDATAA TrayIconData;
// Only an icon the shell took counts as added: until then every request adds it.
int TrayIconAdded;

void CALLBACK RetryTrayIcon(HWND, UINT, UINT_PTR, DWORD) {
  if (ProgramSettings.TrayIcon != 0) UpdateTrayIcon(Composed->icons.smallIcon);
}

}  // namespace

TrayShellFunction TrayShellCall = Shell_NotifyIconA;
unsigned TrayRetryMs = TRAY_RETRY_PERIOD_MS;

HWND TrayIconWindow() { return TrayIconAdded == 1 ? TrayIconData.hWnd : nullptr; }

// The icon belongs to the window that added it; while the shell refuses it,
// the retry timer is that window's too.
void UpdateTrayIcon(HICON icon) {
  TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
  TrayIconData.uID = TRAY_ICON_ID;
  if (TrayIconAdded == 0) TrayIconData.hWnd = FrameWindow;
  if (icon == TRAY_ICON_REMOVE) {
    KillTimer(TrayIconData.hWnd, TRAY_RETRY_TIMER_ID);
    if (TrayIconAdded == 1) {
      TrayIconAdded = 0;
      TrayShellCall(NIM_DELETE, &TrayIconData);
    }
    return;
  }
  if (!icon) return;
  TrayIconData.hIcon = icon;
  if (TrayIconAdded == 0) {
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = MSG_TRAY_NOTIFY;
    lstrcpynA(TrayIconData.szTip, TEXT_TRAY_TIP, sizeof TrayIconData.szTip);
    TrayIconAdded = TrayShellCall(NIM_ADD, &TrayIconData) ? 1 : 0;
    if (TrayIconAdded == 1) {
      KillTimer(TrayIconData.hWnd, TRAY_RETRY_TIMER_ID);
    } else {
      SetTimer(TrayIconData.hWnd, TRAY_RETRY_TIMER_ID, TrayRetryMs, RetryTrayIcon);
    }
  } else {
    TrayIconData.uFlags = NIF_ICON;
    TrayShellCall(NIM_MODIFY, &TrayIconData);
  }
}

void MsgSetTrayIcon(WPARAM on, LPARAM icon) {
  ProgramSettings.TrayIcon = static_cast<int32_t>(on);
  UpdateTrayIcon(on == 0 ? TRAY_ICON_REMOVE : reinterpret_cast<HICON>(icon));
}

void MsgTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != TRAY_ICON_ID || (mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN)) return;
  POINT cursor;
  GetCursorPos(&cursor);
  // A right press opens the menu over the window as it is: put away, its
  // first item restores it.
  if (mouseMessage == WM_LBUTTONDOWN) SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 1, 0);
  SetForegroundWindow(FrameWindow);
  if (mouseMessage == WM_RBUTTONDOWN) {
    PrepareContextMenu();
    TrackPopupMenu(ContextMenu, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, FrameWindow, nullptr);
    PostMessageA(FrameWindow, WM_NULL, 0, 0);
  }
}

// The icon last handed to the shell may have been destroyed since: a
// repaint remakes the window's icon without telling the tray.
void RestoreTrayIconAfterShellRestart() {
  TrayIconAdded = 0;
  if (ProgramSettings.TrayIcon != 0) UpdateTrayIcon(Composed->icons.smallIcon);
}
