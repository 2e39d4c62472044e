// What each menu command does: most flip a setting and send the private
// message that applies it; the rest open the dialog, the shell or the About box.
#include <windows.h>

#include <iterator>

#include "about/about_box.h"
#include "app/ids.h"
#include "app/late_libraries.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/settings_rules.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/wide_text.h"
#include "desktop/shortcuts.h"
#include "framewindow/context_menu.h"
#include "framewindow/ornament.h"
#include "framewindow/photo_ways_in.h"
#include "framewindow/slideshow.h"
#include "imaging/compositor.h"

namespace {

void SendToggled(int32_t& setting, UINT message, LPARAM lParam = 0) {
  SendMessageA(FrameWindow, message, static_cast<WPARAM>(ToggleSetting(setting)), lParam);
}

}  // namespace

ShellOpenFunction ShellOpenCall = ShellExecuteW;

// Shown normally: with SW_HIDE a browser or mail program started cold may
// stay hidden. Text too long for the buffer is cut off, as it always was.
void OpenWithShell(const char* text) {
  char narrow[512];
  lstrcpynA(narrow, text, sizeof narrow);
  wchar_t buffer[512];
  if (WidenUtf8(narrow, buffer, 512)) ShellOpenCall(nullptr, nullptr, buffer, nullptr, nullptr, SW_SHOWNORMAL);
}

void MsgCommand(WPARAM wParam) {
  const unsigned command = static_cast<unsigned>(wParam & 0x7FFF);
  if (command >= FRAME_ID_FIRST && command <= FRAME_ID_LAST) {
    SendMessageA(FrameWindow, MSG_SET_FRAME, command, 0);
    return;
  }
  if (command >= IDM_SLIDES_INTERVAL_FIRST && command < IDM_SLIDES_INTERVAL_FIRST + std::size(SLIDE_INTERVALS)) {
    SetSlideInterval(static_cast<int>(command - IDM_SLIDES_INTERVAL_FIRST));
    return;
  }
  switch (command) {
    case IDM_MINIMIZE:
      SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 2, 0);
      break;
    case IDM_RESTORE:
      SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 1, 0);
      SetForegroundWindow(FrameWindow);
      break;
    case IDM_ALWAYS_ON_TOP:
      SendToggled(Settings->AlwaysOnTheTop, MSG_SET_TOPMOST);
      break;
    case IDM_SHOW_ON_TASKBAR:
      SendToggled(ProgramSettings.Taskbar, MSG_SET_TASKBAR);
      break;
    case IDM_TRAY_ICON:
      SendToggled(ProgramSettings.TrayIcon, MSG_SET_TRAY_ICON, reinterpret_cast<LPARAM>(Composed->icons.smallIcon));
      break;
    case IDM_AUTOSTART:
      SendToggled(ProgramSettings.AutoStart, MSG_SET_AUTOSTART);
      break;
    case IDM_SPLASH:
      ToggleSetting(ProgramSettings.Splash);
      break;
    case IDM_HINT:
      ToggleSetting(ProgramSettings.Hint);
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
    case IDM_SELECT_PHOTO:
      ChoosePhoto();
      break;
    case IDM_SLIDES_FOLDER:
      ChooseSlideFolder();
      break;
    case IDM_SLIDES_NEXT:
      StepSlideshow(1);
      break;
    case IDM_SLIDES_PREVIOUS:
      StepSlideshow(-1);
      break;
    case IDM_SLIDES_RANDOM:
      ToggleSlideOrder();
      break;
    case IDM_SLIDES_STOP:
      StopSlideshow();
      break;
    case IDM_CUSTOM_FRAME:
      ChooseFrame();
      break;
    case IDM_NEW_ORNAMENT:
      OpenNewOrnament();
      break;
    case IDM_CLOSE_ORNAMENT:
      // Closed from the loop, once no handler of this window is under way.
      PostMessageA(FrameWindow, MSG_CLOSE_ORNAMENT, 0, 0);
      break;
    case IDM_ABOUT:
      // The box's controls are the common controls' version 6 (through the
      // manifest), loaded when it first opens rather than at every start.
      LoadCommonControls();
      DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_ABOUT), FrameWindow, AboutDlgProc, 0);
      break;
    case IDM_EXIT:
      SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
      break;
    case IDM_VISIT_HOME_PAGE:
      OpenWithShell(TEXT_HOME_PAGE);
      break;
    case IDM_TELL_FRIENDS:
      OpenWithShell(TEXT_MAIL_LINK);
      break;
  }
}
