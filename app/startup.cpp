// The entry sequence: one instance, desktop metrics, settings, splash, the
// frame window brought into its stored state through its own messages, the
// main loop, and the settings written at the end.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "about/link_control.h"
#include "app/desktop_metrics.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/startup_rules.h"
#include "app/texts.h"
#include "desktop/link_paths.h"
#include "framewindow/context_menu.h"
#include "framewindow/frame_window.h"
#include "splash/splash.h"

HINSTANCE ProgramInstance;
char ModulePath[PATH_BUFFER_SIZE];
char AutostartCommand[AUTOSTART_COMMAND_SIZE];

namespace {

// How long a second start waits for the running copy to take its photo; a
// copy that hangs must not keep it.
constexpr UINT HAND_OVER_TIMEOUT_MS = 10000;

bool SettingsWritten = false;

// The photo path this start was given, made full: a relative one names a file
// in this start's folder, which neither a running copy nor the next start shares.
int TakeStartPath(char* path) {
  char argument[PATH_BUFFER_SIZE];
  if (!TakeCommandLinePath(GetCommandLineA(), argument, sizeof argument)) return 0;
  const DWORD length = GetFullPathNameA(argument, PATH_BUFFER_SIZE, path, nullptr);
  return length > 0 && length < PATH_BUFFER_SIZE;
}

void HandPathOver(const char* path) {
  COPYDATASTRUCT data = {COPYDATA_PHOTO_PATH, static_cast<DWORD>(lstrlenA(path) + 1), const_cast<char*>(path)};
  DWORD_PTR result;
  SendMessageTimeoutA(FrameWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                      HAND_OVER_TIMEOUT_MS, &result);
}

// The running copy takes this start's photo, if any, and comes to the front.
void ShowRunningInstance(const char* path) {
  FrameWindow = FindWindowA(TEXT_FRAME_CLASS, nullptr);
  if (!FrameWindow) return;
  if (path) HandPathOver(path);
  SendMessageA(FrameWindow, MSG_SET_SHOW_STATE, 1, 0);
  SetForegroundWindow(FrameWindow);
  SetActiveWindow(FrameWindow);
}

// A display unplugged since the last run may have taken the stored position
// with it: a window that would lie on no monitor goes to the nearest work area.
void KeepStoredRectOnScreen() {
  RECT stored = {Settings.X1, Settings.Y1, Settings.X1 + Settings.W1, Settings.Y1 + Settings.H1};
  if (MonitorFromRect(&stored, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ScreenRect moved = MoveOntoWorkArea({stored.left, stored.top, stored.right, stored.bottom},
                                            {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                                             monitor.rcWork.bottom});
  Settings.X1 = moved.left;
  Settings.Y1 = moved.top;
}

void BuildAutostartCommand() {
  // A cut-off module path would name another file: better none at all.
  if (GetModuleFileNameA(nullptr, ModulePath, PATH_BUFFER_SIZE) >= PATH_BUFFER_SIZE) ModulePath[0] = '\0';
  ComposeAutostartCommand(AutostartCommand, AUTOSTART_COMMAND_SIZE, ModulePath);
}

HWND CreateFrameWindow() {
  return CreateWindowExA(WS_EX_ACCEPTFILES, TEXT_FRAME_CLASS, TEXT_FRAME_TITLE, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                  Settings.X1, Settings.Y1, Settings.W1, Settings.H1, nullptr, nullptr, ProgramInstance, nullptr);
}

void SendToFrame(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageA(FrameWindow, message, wParam, lParam); }

}  // namespace

int StartProgram() {
  ProgramInstance = GetModuleHandleA(nullptr);
  CoInitialize(nullptr);
  InitCommonControls();

  if (!CreateMutexA(nullptr, TRUE, TEXT_MUTEX_NAME)) return 0;
  const bool alreadyRunning = GetLastError() == ERROR_ALREADY_EXISTS;
  char startPath[PATH_BUFFER_SIZE];
  const int hasStartPath = TakeStartPath(startPath);
  if (alreadyRunning) {
    ShowRunningInstance(hasStartPath ? startPath : nullptr);
    return 0;
  }

  RefreshDesktopMetrics();
  Settings.X1 = DesktopMetrics.workArea.right - Settings.W1;
  SyncSettings(0);
  KeepStoredRectOnScreen();
  if (EndsWithHiddenSwitch(GetCommandLineA())) Settings.Show = 2;

  StartSplash();
  BuildAutostartCommand();
  InitLinkControl();
  RegisterPopupClass(TEXT_FRAME_CLASS, FrameWindowProc);
  // Without its window the program could never be shown or ended, and would
  // keep every later start out: end instead, which frees the mutex.
  if (!CreateFrameWindow()) return 0;
  RefreshMenuChecks();

  SendToFrame(MSG_SET_AUTOSTART, static_cast<WPARAM>(Settings.AutoStart), 1);
  SendToFrame(MSG_SET_FRAME, StartFrame, 1);
  SendToFrame(MSG_SET_PHOTO, StartPhoto, 1);
  // A photo from Explorer is taken as a dropped one; one that does not decode changes nothing.
  if (hasStartPath) SendToFrame(MSG_SET_PHOTO, reinterpret_cast<WPARAM>(startPath), 0);
  SendToFrame(MSG_RECOMPOSE, 0, 0);
  EnterHintMode();
  SendToFrame(MSG_SET_TASKBAR, static_cast<WPARAM>(Settings.Taskbar), 1);
  if (GetActiveWindow() != FrameWindow) {
    SetActiveWindow(FrameWindow);
    SetForegroundWindow(FrameWindow);
  }
  SendToFrame(MSG_SET_TOPMOST, static_cast<WPARAM>(Settings.AlwaysOnTheTop), 1);
  return 1;
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void WriteSettingsAtEnd() {
  if (SettingsWritten) return;
  SettingsWritten = true;
  SyncSettings(1);
}

void EndProgram(int normalRun) {
  CoUninitialize();
  if (normalRun) WriteSettingsAtEnd();
}
