#include "desktop/presence.h"

#include "app/ids.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "framewindow/context_menu.h"
#include "splash/splash.h"

void SetTopmost(HWND window, int on) {
  SetWindowPos(window, on == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void SetTaskbarPresence(HWND window, int on) {
  LONG style = GetWindowLongA(window, GWL_EXSTYLE) & ~(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
  style |= on == 1 ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  SetWindowLongA(window, GWL_EXSTYLE, style);
}

namespace {

int ShowCommandFor(int32_t state, LPARAM hideOnly) {
  if (state == 2) {
    if (hideOnly == 1) return SW_HIDE;
    return Settings.Taskbar == 1 ? SW_MINIMIZE : SW_HIDE;
  }
  // A window minimised before its taskbar button was turned off is still
  // minimised: only a restore brings it back.
  if (state == 1) return Settings.Taskbar == 1 || IsIconic(FrameWindow) ? SW_RESTORE : SW_SHOW;
  return state;
}

}  // namespace

void MsgSetShowState(WPARAM state, LPARAM hideOnly) {
  const int32_t newState = static_cast<int32_t>(state);
  if (newState == Settings.Show) return;
  Settings.Show = newState;
  if (newState == 2) ShowHint(0);
  ShowWindow(FrameWindow, ShowCommandFor(newState, hideOnly));
  RefreshMenuChecks();
}

void MsgSetTaskbar(WPARAM on) {
  const int32_t previous = Settings.Show;
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 2, 1);
  Settings.Taskbar = static_cast<int32_t>(on);
  SetTaskbarPresence(FrameWindow, Settings.Taskbar);
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, static_cast<WPARAM>(previous), 0);
  RefreshMenuChecks();
}

void MsgSetTopmost(WPARAM on) {
  Settings.AlwaysOnTheTop = static_cast<int32_t>(on);
  SetTopmost(FrameWindow, Settings.AlwaysOnTheTop);
  RefreshMenuChecks();
}

void RecordSystemRestore() {
  if (Settings.Show != 2 || !IsWindowVisible(FrameWindow) || IsIconic(FrameWindow)) return;
  Settings.Show = 1;
  RefreshMenuChecks();
}
