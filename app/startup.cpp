// The entry sequence: one instance, desktop metrics, settings, splash, the
// frame window brought into its stored state through its own messages, the
// main loop, and the settings written at the end.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdint>

#include "about/link_control.h"
#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/late_libraries.h"
#include "app/path_calls.h"
#include "app/program.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/startup_rules.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "app/work_area_rules.h"
#include "desktop/link_paths.h"
#include "framewindow/context_menu.h"
#include "framewindow/frame_window.h"
#include "framewindow/ornament.h"
#include "framewindow/photo_frame_sources.h"
#include "framewindow/slideshow.h"
#include "imaging/heap_array.h"
#include "splash/splash.h"

HINSTANCE ProgramInstance;
char ModulePath[PATH_BUFFER_SIZE];
char AutostartCommand[AUTOSTART_COMMAND_SIZE];
CommandLineFunction CommandLineCall = ProgramCommandLine;

namespace {

// How long a second start waits in all for the running copy: for its window
// while it is still starting (Explorer starts one process per file of a
// multi-selection, all at once), then for each message it sends. A copy that
// hangs must not keep it: with its own start and end, every start ends within 10 s.
constexpr DWORD HAND_OVER_TIMEOUT_MS = 9000;
constexpr DWORD WINDOW_POLL_MS = 50;
constexpr DWORD START_PICTURES_WAIT_MS = 500;

bool SettingsWritten = false;

// The photo path this start was given, made full: a relative one names a file
// in this start's folder, which neither a running copy nor the next start shares.
int TakeStartPath(char* path) {
  char argument[PATH_BUFFER_SIZE];
  wchar_t relative[WIDE_PATH_SIZE], full[WIDE_PATH_SIZE];
  if (!TakeCommandLinePath(CommandLineCall(), argument, sizeof argument) ||
      !WidenPath(argument, relative, WIDE_PATH_SIZE)) {
    return 0;
  }
  const DWORD length = GetFullPathNameW(relative, WIDE_PATH_SIZE, full, nullptr);
  return length > 0 && length < WIDE_PATH_SIZE && NarrowPath(full, path, PATH_BUFFER_SIZE);
}

struct RunningCopy {
  HWND window;
  DWORD deadline;
  bool ended;  // it ended meanwhile, leaving the mutex to this start
};

DWORD TimeLeft(DWORD deadline) {
  const auto left = static_cast<LONG>(deadline - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

// The running copy's frame window, waited for while the copy that holds the
// mutex is still starting, or until that copy has ended (it was closing).
// Windows lets only the foreground process give the foreground away: this
// start, which the shell made foreground, allows it to the running copy
// before it sends anything.
RunningCopy ReachRunningCopy(HANDLE mutex) {
  RunningCopy copy = {nullptr, GetTickCount() + HAND_OVER_TIMEOUT_MS, false};
  while (!(copy.window = FindWindowA(TEXT_FRAME_CLASS, nullptr)) && TimeLeft(copy.deadline) > 0) {
    const DWORD waited = WaitForSingleObject(mutex, WINDOW_POLL_MS);
    copy.ended = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (copy.ended) return copy;
  }
  DWORD processId = 0;
  if (copy.window && GetWindowThreadProcessId(copy.window, &processId)) AllowSetForegroundWindow(processId);
  return copy;
}

// Each message gets the time that is left; a copy that does not answer in it
// is left alone. Its answer, or 0 when there is none.
DWORD_PTR SendToRunningCopy(const RunningCopy& copy, UINT message, WPARAM wParam, LPARAM lParam) {
  const DWORD left = TimeLeft(copy.deadline);
  DWORD_PTR result = 0;
  if (left == 0 || !SendMessageTimeoutA(copy.window, message, wParam, lParam, SMTO_ABORTIFHUNG, left, &result)) return 0;
  return result;
}

// A copy that is ending (or whose window went before it answered) leaves
// the mutex when it has gone: this start then becomes the program, with its
// own photos. 1 when it went in time.
int RunningCopyEnded(HANDLE mutex, const RunningCopy& copy) {
  const DWORD waited = WaitForSingleObject(mutex, TimeLeft(copy.deadline));
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

// Several full paths ("Send to" with several files), packed as the stored
// set is; 0 when the line holds no such list.
int TakeStartList(HeapArray<char>& list, size_t& size) {
  const char* line = CommandLineCall();
  return list.Allocate(static_cast<size_t>(lstrlenA(line)) + 2) &&
         TakeCommandLinePaths(line, list.data, list.count, size) > 0;
}

// The running copy takes this start's photo or photos, if any, and comes to
// the front: its open dialog, if one is up, as the frame window is disabled
// under it. 0 when there is no running copy any more: this start is the program.
int ShowRunningInstance(HANDLE mutex, COPYDATASTRUCT* handOver) {
  const RunningCopy copy = ReachRunningCopy(mutex);
  if (!copy.window) return !copy.ended;
  if (handOver) SendToRunningCopy(copy, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(handOver));
  if (SendToRunningCopy(copy, MSG_SET_SHOW_STATE, 1, 0) != 1) return !RunningCopyEnded(mutex, copy);
  SetForegroundWindow(GetLastActivePopup(copy.window));
  return 1;
}

// A display unplugged since the last run may have taken the stored position
// with it, and a window may have been left mostly off its screen: unless
// three quarters of it lie on work areas, it goes whole onto the nearest one,
// at that monitor's scale.
bool MostlyOnWorkAreas(const RECT& window) {
  const ScreenRect inner = QuarterInset({window.left, window.top, window.right, window.bottom});
  for (const POINT corner : {POINT{inner.left, inner.top}, POINT{inner.right - 1, inner.top},
                             POINT{inner.left, inner.bottom - 1}, POINT{inner.right - 1, inner.bottom - 1}}) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    HMONITOR screen = MonitorFromPoint(corner, MONITOR_DEFAULTTONULL);
    if (!screen || !GetMonitorInfoA(screen, &monitor) || !PtInRect(&monitor.rcWork, corner)) return false;
  }
  return true;
}

void KeepStoredRectOnScreen() {
  RECT stored = StoredRect(DpiOfRect(StoredRect(BASE_DPI)));
  if (MostlyOnWorkAreas(stored)) return;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromRect(&stored, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const ScreenRect moved = MoveOntoWorkArea({stored.left, stored.top, stored.right, stored.bottom},
                                            {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                                             monitor.rcWork.bottom});
  Settings->X1 = moved.left;
  Settings->Y1 = moved.top;
}

void BuildAutostartCommand() {
  // A cut-off module path would name another file: better none at all.
  wchar_t path[WIDE_PATH_SIZE];
  const DWORD length = GetModuleFileNameW(nullptr, path, WIDE_PATH_SIZE);
  if (length == 0 || length >= WIDE_PATH_SIZE || !NarrowPath(path, ModulePath, PATH_BUFFER_SIZE)) ModulePath[0] = '\0';
  ComposeAutostartCommand(AutostartCommand, AUTOSTART_COMMAND_SIZE, ModulePath);
}

void SendToFrame(const Ornament* ornament, UINT message, WPARAM wParam, LPARAM lParam) {
  SendMessageA(ornament->window, message, wParam, lParam);
}

}  // namespace

int StartProgram() {
  KeepDllSearchToSystemFolder();
  // A card reader without its card or a drive gone offline fails the read
  // quietly instead of putting up the system's "No disk" box at each try.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ProgramInstance = GetModuleHandleA(nullptr);
  CoInitialize(nullptr);

  HANDLE mutex = CreateMutexA(nullptr, TRUE, TEXT_MUTEX_NAME);
  if (!mutex) return 0;
  const bool alreadyRunning = GetLastError() == ERROR_ALREADY_EXISTS;
  HeapArray<char> startList;
  size_t startListSize = 0;
  char startPath[PATH_BUFFER_SIZE];
  const int hasStartList = TakeStartList(startList, startListSize);
  const int hasStartPath = !hasStartList && TakeStartPath(startPath);
  COPYDATASTRUCT handOver = {COPYDATA_PHOTO_PATHS, static_cast<DWORD>(startListSize), startList.data};
  if (hasStartPath) handOver = {COPYDATA_PHOTO_PATH, static_cast<DWORD>(lstrlenA(startPath) + 1), startPath};
  if (alreadyRunning && ShowRunningInstance(mutex, hasStartList || hasStartPath ? &handOver : nullptr)) return 0;

  RefreshDesktopMetrics();
  if (!LoadOrnaments(DesktopMetrics.workArea.right - ScaleToDpi(BUILT_IN_SETTINGS.W1, DpiOfWindow(nullptr)))) return 0;
  for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) {
    SelectOrnament(ornament);
    KeepStoredRectOnScreen();
  }
  const int hiddenStart = EndsWithHiddenSwitch(CommandLineCall());
  if (hiddenStart) ProgramSettings.Show = 2;

  StartSplash();
  BuildAutostartCommand();
  InitLinkControl();
  RegisterPopupClass(TEXT_FRAME_CLASS, FrameWindowProc);
  // Without the first window the program could never be shown or ended, and
  // would keep every later start out: end instead, which frees the mutex. A
  // further ornament whose window cannot be made is left out.
  if (!CreateOrnamentWindow(*OrnamentAt(0))) return 0;
  for (int i = 1; Ornament* ornament = OrnamentAt(i); ++i) {
    if (!CreateOrnamentWindow(*ornament)) --i;
  }

  SendToFrame(OrnamentAt(0), MSG_SET_AUTOSTART, static_cast<WPARAM>(ProgramSettings.AutoStart), 1);
  for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) {
    SendToFrame(ornament, MSG_SET_FRAME, ornament->store.startFrame, PHOTO_AT_START);
    SendToFrame(ornament, MSG_SET_PHOTO, ornament->store.startPhoto, PHOTO_AT_START);
  }
  // The windows show with their photos when the worker has them within half
  // a second; one still loading then (a network drive) follows when it comes.
  AwaitStartPictures(START_PICTURES_WAIT_MS);
  // A photo from Explorer is taken as a dropped one (one that does not decode
  // changes nothing), and joins those that other starts hand over at once;
  // several make a slideshow. The first ornament takes them.
  Ornament* first = OrnamentAt(0);
  SelectOrnament(first);
  if (hasStartPath) ShowStartPhoto(startPath);
  SelectOrnament(first);
  if (hasStartList) ShowPhotoSet(startList.data, startListSize);
  for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) SendToFrame(ornament, MSG_RECOMPOSE, 0, 0);
  EnterHintMode();
  SendToFrame(first, MSG_SET_TASKBAR, static_cast<WPARAM>(ProgramSettings.Taskbar), 1);
  // A photo from Explorer is to be seen, however the window was left at the last exit.
  if ((hasStartPath || hasStartList) && !hiddenStart) SendToFrame(first, MSG_SET_SHOW_STATE, 1, 0);
  if (GetActiveWindow() != first->window) {
    SetActiveWindow(first->window);
    SetForegroundWindow(first->window);
  }
  for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) {
    SendToFrame(ornament, MSG_SET_TOPMOST, static_cast<WPARAM>(ornament->store.values.AlwaysOnTheTop), 1);
  }
  SelectOrnament(OrnamentOf(LastUsedWindow));
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
  SaveOrnaments();
}

void EndProgram(int normalRun) {
  CoUninitialize();
  if (normalRun) WriteSettingsAtEnd();
}
