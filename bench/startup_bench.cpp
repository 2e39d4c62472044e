// Start-up as a user sees it: from launching an exe to its window on screen,
// the program against the least Win32 program, alternately, on the same warm
// Wine server; the menu's construction alone, and the first opening of each
// frame group, which makes its thumbnails.
// The launches use the real HKEY_CURRENT_USER: the benchmark runs only in the
// private prefix that scripts/bench.sh makes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/program.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "bench/timing.h"
#include "framewindow/context_menu.h"
#include "imaging/image_loader.h"
#include "tests/support/private_registry.h"

namespace {

constexpr int LAUNCHES = 9;


// Launch to a visible window of the class; ends the process afterwards by
// closing its window of mainClass (the same class when none is given).
double LaunchToVisibleWindow(const char* exe, const char* windowClass, const char* mainClass = nullptr) {
  char command[MAX_PATH + 2];
  wsprintfA(command, "\"%s\"", exe);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start, shown = {};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
  HWND window = nullptr;
  for (DWORD begun = GetTickCount(); GetTickCount() - begun < 10000;) {
    window = FindWindowA(windowClass, nullptr);
    if (window && IsWindowVisible(window)) {
      QueryPerformanceCounter(&shown);
      break;
    }
    Sleep(0);
  }
  for (DWORD begun = GetTickCount(); window && mainClass && GetTickCount() - begun < 10000; Sleep(1)) {
    if (HWND main = FindWindowA(mainClass, nullptr)) {
      window = main;
      mainClass = nullptr;
    }
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return shown.QuadPart ? Milliseconds(start, shown) : -1;
}

void MeasureLaunches() {
  char folder[MAX_PATH], program[MAX_PATH], least[MAX_PATH];
  GetModuleFileNameA(nullptr, folder, MAX_PATH);
  *std::strrchr(folder, '\\') = 0;
  wsprintfA(program, "%s\\cherimo.exe", folder);
  wsprintfA(least, "%s\\least_window.exe", folder);
  std::vector<double> programTimes, splashTimes, leastTimes;
  // Built-in settings, so that a stored Splash 0 cannot hide the splash.
  RegDeleteTreeA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY);
  LaunchToVisibleWindow(least, "LeastWindowClass");  // warms the loader
  for (int i = 0; i < LAUNCHES; ++i) {
    leastTimes.push_back(LaunchToVisibleWindow(least, "LeastWindowClass"));
    programTimes.push_back(LaunchToVisibleWindow(program, TEXT_FRAME_CLASS));
    splashTimes.push_back(LaunchToVisibleWindow(program, TEXT_SPLASH_CLASS, TEXT_FRAME_CLASS));
  }
  const double programMedian = Median(programTimes), leastMedian = Median(leastTimes);
  std::printf("start-up: launch to visible window, medians of %d alternate launches\n", LAUNCHES);
  std::printf("  least Win32 program %.1f ms, the program %.1f ms: the program's own share %.1f ms (target <= 100 ms)\n",
              leastMedian, programMedian, programMedian - leastMedian);
  std::printf("  the splash %.1f ms: its own share %.1f ms (target <= 150 ms)\n", Median(splashTimes),
              Median(splashTimes) - leastMedian);
}

// The first opening of each frame group, which makes its thumbnails: at a
// size with a generator's sheet, or from the frames themselves.
void MeasureGroupOpenings(SIZE size) {
  BuildContextMenu(size);
  HMENU selectFrame = nullptr;
  for (int item = 0; item < GetMenuItemCount(ContextMenu) && !selectFrame; ++item) {
    HMENU submenu = GetSubMenu(ContextMenu, item);
    if (submenu && GetMenuItemID(submenu, 0) == IDM_CUSTOM_FRAME) selectFrame = submenu;
  }
  std::vector<double> times;
  for (int group = 0; selectFrame && group < GetMenuItemCount(selectFrame); ++group) {
    if (HMENU groupMenu = GetSubMenu(selectFrame, group)) {
      LARGE_INTEGER from, to;
      QueryPerformanceCounter(&from);
      MsgInitMenuPopup(groupMenu);
      QueryPerformanceCounter(&to);
      times.push_back(Milliseconds(from, to));
    }
  }
  if (times.empty()) return;
  std::printf("  a group's first opening at %ld x %ld, %s: median %.1f ms, slowest %.1f ms (target <= 80 ms)\n",
              size.cx, size.cy, std::ranges::count(FRAME_THUMBNAIL_SHEET_SIZES, size.cx) ? "from its sheet" : "from the frames",
              Median(times), *std::ranges::max_element(times));
}

void MeasureMenuBuild() {
  if (!RedirectCurrentUser() || !StartProgram()) return;
  std::vector<double> times;
  for (int i = 0; i < 15; ++i) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    BuildContextMenu();
    QueryPerformanceCounter(&to);
    times.push_back(Milliseconds(from, to));
  }
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  for (int32_t id = FRAME_ID_FIRST; id <= FRAME_ID_LAST; ++id) DecodeImage(static_cast<ImageSource>(id), FrameDC);
  QueryPerformanceCounter(&to);
  std::printf("menu: BuildContextMenu, median of 15: %.1f ms (target <= 20 ms); "
              "decoding all 91 frames would take %.1f ms\n",
              Median(times), Milliseconds(from, to));
  for (const SIZE size : {MenuCheckSize(), SIZE{15, 15}, SIZE{27, 27}, SIZE{64, 64}}) MeasureGroupOpenings(size);
  DestroyWindow(FrameWindow);
  RestoreCurrentUser();
}

}  // namespace

// The launches first: the in-process start-up holds the single-instance mutex
// until this process ends.
int main() {
  if (std::getenv("CHERIMO_PRIVATE_WINE_PREFIX")) {
    MeasureLaunches();
  } else {
    std::printf("start-up: skipped, launches run only in the private Wine prefix of scripts/bench.sh\n");
  }
  MeasureMenuBuild();
  return 0;
}
