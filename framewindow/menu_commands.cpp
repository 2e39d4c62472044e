// What each menu command does: most flip a setting and send the private
// message that applies it; the rest open the dialog, the shell or the About box.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <iterator>

#include "about/about_box.h"
#include "app/ids.h"
#include "app/late_libraries.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "desktop/shortcuts.h"
#include "framewindow/context_menu.h"
#include "framewindow/photo_placement.h"
#include "framewindow/slideshow.h"
#include "imaging/frame_icon.h"
#include "imaging/picture_types.h"

namespace {

constexpr DWORD OPEN_DIALOG_FLAGS = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                                    OFN_EXPLORER | OFN_NODEREFERENCELINKS | OFN_ENABLESIZING | OFN_FORCESHOWHIDDEN;
static_assert(OPEN_DIALOG_FLAGS == 0x10981806);

// The record without the three members that later Windows added, which every
// version of the dialog takes.
constexpr DWORD OPEN_DIALOG_RECORD_SIZE = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) == 8 || OPEN_DIALOG_RECORD_SIZE == 76);

// Kept between dialogs: the dialog opens on the last file chosen or dropped.
char FileTitleBuffer[PATH_BUFFER_SIZE];

// 1 with the chosen path in FileNameBuffer and its folder, trailing
// backslash included, in Path; 0 and nothing changed when cancelled.
int ChooseImageFile() {
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPEN_DIALOG_RECORD_SIZE;
  dialog.hwndOwner = FrameWindow;
  dialog.hInstance = ProgramInstance;
  dialog.lpstrFilter = OpenDialogFilter();
  // No custom filter: Wine takes an empty one for a broken filter list and
  // then lists every file, and Windows only ever wrote a pattern behind an
  // empty title there, which the first filter's index never uses.
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = FileNameBuffer;
  dialog.nMaxFile = PATH_BUFFER_SIZE;
  dialog.lpstrFileTitle = FileTitleBuffer;
  dialog.nMaxFileTitle = sizeof FileTitleBuffer;
  dialog.lpstrInitialDir = Settings.Path;
  dialog.lpstrTitle = TEXT_OPEN_DIALOG_TITLE;
  dialog.Flags = OPEN_DIALOG_FLAGS;
  // A failed dialog may leave a size in the buffer's first bytes (a path
  // too long for it): the next dialog opens on the last good name instead.
  char previousFileName[PATH_BUFFER_SIZE];
  lstrcpynA(previousFileName, FileNameBuffer, PATH_BUFFER_SIZE);
  if (!OpenFileDialog(&dialog)) {
    lstrcpynA(FileNameBuffer, previousFileName, PATH_BUFFER_SIZE);
    return 0;
  }
  const int folderLength = dialog.nFileOffset < PATH_BUFFER_SIZE ? dialog.nFileOffset : PATH_BUFFER_SIZE - 1;
  lstrcpynA(Settings.Path, FileNameBuffer, folderLength + 1);
  return 1;
}

void SendToggled(int32_t& setting, UINT message, LPARAM lParam = 0) {
  SendMessageA(FrameWindow, message, static_cast<WPARAM>(ToggleSetting(setting)), lParam);
}

void SendChosenFile(UINT message) {
  if (ChooseImageFile()) SendMessageA(FrameWindow, message, reinterpret_cast<WPARAM>(FileNameBuffer), 0);
}

}  // namespace

ShellOpenFunction ShellOpenCall = ShellExecuteA;

void OpenWithShell(const char* text) {
  char buffer[512];
  lstrcpynA(buffer, text, sizeof buffer);
  ShellOpenCall(nullptr, nullptr, buffer, nullptr, nullptr, SW_HIDE);
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
    case IDM_SELECT_PHOTO:
      SendChosenFile(MSG_SET_PHOTO);
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
      SendChosenFile(MSG_SET_FRAME);
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
