#include "desktop/presence.h"

#include "app/ids.h"
#include "app/settings.h"
#include "app/shared_windows.h"
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

int ShowCommandFor(HWND window, int32_t state, LPARAM hideOnly) {
  if (state == 2) {
    if (hideOnly == 1) return SW_HIDE;
    return ProgramSettings.Taskbar == 1 ? SW_MINIMIZE : SW_HIDE;
  }
  // A window minimised before its taskbar button was turned off is still
  // minimised: only a restore brings it back.
  if (state == 1) return ProgramSettings.Taskbar == 1 || IsIconic(window) ? SW_RESTORE : SW_SHOW;
  return state;
}

}  // namespace

// The show state is the program's: every ornament goes away and comes back together.
void MsgSetShowState(WPARAM state, LPARAM hideOnly) {
  const int32_t newState = static_cast<int32_t>(state);
  if (newState == ProgramSettings.Show) return;
  ProgramSettings.Show = newState;
  if (newState == 2) ShowHint(0);
  for (int i = 0; i < OrnamentCount; ++i) {
    if (HWND window = OrnamentWindows[i]) ShowWindow(window, ShowCommandFor(window, newState, hideOnly));
  }
}

void MsgSetTaskbar(WPARAM on) {
  const int32_t previous = ProgramSettings.Show;
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 2, 1);
  ProgramSettings.Taskbar = static_cast<int32_t>(on);
  for (int i = 0; i < OrnamentCount; ++i) {
    if (HWND window = OrnamentWindows[i]) SetTaskbarPresence(window, ProgramSettings.Taskbar);
  }
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, static_cast<WPARAM>(previous), 0);
}

void ShowLikeTheOthers(HWND window) {
  SetTaskbarPresence(window, ProgramSettings.Taskbar);
  ShowWindow(window, ShowCommandFor(window, ProgramSettings.Show, 0));
}

void MsgSetTopmost(WPARAM on) {
  Settings->AlwaysOnTheTop = static_cast<int32_t>(on);
  SetTopmost(FrameWindow, Settings->AlwaysOnTheTop);
}

// One ornament restored from its taskbar button brings the others back with it.
void RecordSystemRestore() {
  if (ProgramSettings.Show != 2 || !IsWindowVisible(FrameWindow) || IsIconic(FrameWindow)) return;
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 1, 0);
}
