#include "framewindow/context_menu.h"

#include "about/about_box.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/settings.h"
#include "desktop/shortcuts.h"
#include "framewindow/frame_window.h"
#include "imaging/frame_icon.h"

HMENU ContextMenu;

namespace {

struct CheckItem {
  unsigned command;
  int32_t SettingsTable::*setting;
};

constexpr CheckItem CHECK_ITEMS[] = {
    {IDM_ALWAYS_ON_TOP, &SettingsTable::AlwaysOnTheTop}, {IDM_SHOW_ON_TASKBAR, &SettingsTable::Taskbar},
    {IDM_TRAY_ICON, &SettingsTable::TrayIcon},           {IDM_AUTOSTART, &SettingsTable::AutoStart},
    {IDM_SPLASH, &SettingsTable::Splash},                {IDM_HINT, &SettingsTable::Hint},
};

void SendToggled(int32_t& setting, UINT message, LPARAM lParam = 0) {
  SendMessageA(FrameWindow, message, static_cast<WPARAM>(ToggleSetting(setting)), lParam);
}

}  // namespace

void BuildContextMenu() { ContextMenu = CreatePopupMenu(); }

void RefreshMenuChecks() {
  for (const CheckItem& item : CHECK_ITEMS) {
    const bool on = item.command == IDM_TRAY_ICON ? Settings.*item.setting != 0 : Settings.*item.setting == 1;
    CheckMenuItem(ContextMenu, item.command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
  }
}

void OpenWithShell(const char* text) {
  char buffer[512];
  lstrcpynA(buffer, text, sizeof buffer);
  ShellExecuteA(nullptr, nullptr, buffer, nullptr, nullptr, SW_HIDE);
}

int32_t ToggleSetting(int32_t& setting) {
  if (setting == 0) {
    setting = 1;
  } else if (setting == 1) {
    setting = 0;
  }
  return setting;
}

void MsgCommand(unsigned command) {
  switch (command) {
    case IDM_MINIMIZE:
      SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 2, 0);
      break;
    case IDM_ALWAYS_ON_TOP:
      SendToggled(Settings.AlwaysOnTheTop, MSG_SET_TOPMOST);
      break;
    case IDM_SHOW_ON_TASKBAR:
      SendToggled(Settings.Taskbar, MSG_SET_TASKBAR);
      break;
    case IDM_TRAY_ICON:
      SendToggled(Settings.TrayIcon, MSG_SET_TRAY_ICON, reinterpret_cast<LPARAM>(FrameIcon));
      break;
    case IDM_AUTOSTART:
      SendToggled(Settings.AutoStart, MSG_SET_AUTOSTART);
      break;
    case IDM_SPLASH:
      ToggleSetting(Settings.Splash);
      RefreshMenuChecks();
      break;
    case IDM_HINT:
      ToggleSetting(Settings.Hint);
      RefreshMenuChecks();
      break;
    case IDM_SHORTCUT_DESKTOP:
      PlaceShortcut(SHORTCUT_DESKTOP);
      break;
    case IDM_SHORTCUT_START_MENU:
      PlaceShortcut(SHORTCUT_START_MENU);
      break;
    case IDM_SHORTCUT_QUICK_LAUNCH:
      PlaceShortcut(SHORTCUT_QUICK_LAUNCH);
      break;
    case IDM_ABOUT:
      DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_ABOUT), FrameWindow, AboutDlgProc, 0);
      break;
    case IDM_EXIT:
      SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
      break;
  }
}
