// Several ornaments from one program, launched as a user starts it: from the
// launch to every frame window on screen with 1, 4 and 16 stored; the
// resident memory with one and with eight ornaments each showing a 12-MP
// photo; and slideshows on eight at the 10-second interval, with the window
// thread's longest stall measured from outside by message round trips.
// The launches use the real HKEY_CURRENT_USER: the benchmark runs only in the
// private prefix that scripts/bench.sh makes.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "bench/stored_ornaments.h"
#include "bench/timing.h"

namespace {

constexpr int LAUNCHES = 5;
constexpr DWORD SLIDESHOW_WATCH_MS = 25000;

int VisibleFrameWindows(HWND& any) {
  int count = 0;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, TEXT_FRAME_CLASS, nullptr));) {
    if (IsWindowVisible(window)) {
      any = window;
      ++count;
    }
  }
  return count;
}

struct Launched {
  PROCESS_INFORMATION process = {};
  HWND window = nullptr;
  double framedMs = -1;
};

// Launch to `count` frame windows on screen.
Launched Launch(int count) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(std::strrchr(exe, '\\') + 1, "cherimo.exe");
  char command[MAX_PATH + 2];
  wsprintfA(command, "\"%s\"", exe);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  Launched launched;
  LARGE_INTEGER start, framed;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &launched.process)) {
    return launched;
  }
  for (DWORD begun = GetTickCount(); GetTickCount() - begun < 20000; Sleep(0)) {
    if (VisibleFrameWindows(launched.window) >= count) {
      QueryPerformanceCounter(&framed);
      launched.framedMs = Milliseconds(start, framed);
      break;
    }
  }
  return launched;
}

void End(Launched& launched) {
  if (launched.window) PostMessageA(launched.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(launched.process.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(launched.process.hProcess, 1);
  }
  CloseHandle(launched.process.hProcess);
  CloseHandle(launched.process.hThread);
}

// Until the program has put in place every picture it asked for.
void AwaitPictures(HWND window) {
  for (DWORD begun = GetTickCount(); GetTickCount() - begun < 30000; Sleep(20)) {
    DWORD_PTR pending = 1;
    if (SendMessageTimeoutA(window, MSG_PICTURES_PENDING, 0, 0, SMTO_BLOCK, 5000, &pending) && pending == 0) return;
  }
}

double ResidentMegabytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.WorkingSetSize / 1048576.0 : -1;
}

void MeasureStartUps() {
  std::printf("ornaments: launch to every frame window on screen, medians of %d launches\n", LAUNCHES);
  double one = 0;
  for (int count : {1, 4, 16}) {
    StoreOrnaments(count, 16, 40, 120);
    std::vector<double> times;
    for (int i = 0; i < LAUNCHES; ++i) {
      Launched launched = Launch(count);
      times.push_back(launched.framedMs);
      End(launched);
    }
    if (count == 1) one = Median(times);
    std::printf("  %d ornament%s: %.1f ms (%.2f times one; target for 16: at most 4)\n", count, count > 1 ? "s" : "",
                Median(times), Median(times) / one);
  }
}

// Resident memory once every photo is in place: the default photo, then a
// camera photo in one ornament and in eight.
void MeasureMemory(const std::string& photo) {
  std::printf("ornaments: resident memory with their photos in place\n");
  double base = 0, single = 0;
  for (const auto& [count, shown] : {std::pair(1, std::string()), std::pair(1, photo), std::pair(8, photo)}) {
    StoreOrnaments(count, 16, 40, 120, shown);
    Launched launched = Launch(count);
    AwaitPictures(launched.window);
    const double megabytes = ResidentMegabytes(launched.process.hProcess);
    End(launched);
    if (shown.empty()) {
      base = megabytes;
      std::printf("  1 ornament, the default photo: %.1f MB\n", megabytes);
    } else if (count == 1) {
      single = megabytes;
      std::printf("  1 ornament, a 12-MP photo: %.1f MB (the photo's share %.1f MB)\n", megabytes, megabytes - base);
    } else {
      std::printf("  8 ornaments, a 12-MP photo each: %.1f MB (target: at most %.1f MB, 8 photos' shares and the base)\n",
                  megabytes, base + 8 * (single - base));
    }
  }
}

// The window thread answers a round trip at once unless it is busy: the
// longest round trip while eight slideshows change is its longest stall.
void MeasureSlideshows(const std::string& folder) {
  StoreOrnaments(8, 16, 40, 120, "", folder);
  Launched launched = Launch(8);
  AwaitPictures(launched.window);
  double longest = 0, total = 0;
  int trips = 0;
  for (const DWORD begun = GetTickCount(); GetTickCount() - begun < SLIDESHOW_WATCH_MS; Sleep(1)) {
    LARGE_INTEGER from, to;
    QueryPerformanceCounter(&from);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(launched.window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    QueryPerformanceCounter(&to);
    longest = std::max(longest, Milliseconds(from, to));
    total += Milliseconds(from, to);
    ++trips;
  }
  End(launched);
  std::printf("ornaments: 8 slideshows of 12-MP photos at the 10-second interval, watched %.0f s: the window "
              "thread's longest stall %.1f ms, mean round trip %.2f ms\n",
              SLIDESHOW_WATCH_MS / 1000.0, longest, total / trips);
}

}  // namespace

int main() {
  if (!std::getenv("CHERIMO_PRIVATE_WINE_PREFIX")) {
    std::printf("ornaments: skipped, launches run only in the private Wine prefix of scripts/bench.sh\n");
    return 0;
  }
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "cherimo-ornaments-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string photo = folder + "\\camera-1.jpg";
  for (const char* name : {"\\camera-1.jpg", "\\camera-2.jpg", "\\camera-3.jpg"}) {
    CopyFileA(CHERIMO_CORPUS_DIR "/images/camera.jpg", (folder + name).c_str(), FALSE);
  }
  MeasureStartUps();
  MeasureMemory(photo);
  MeasureSlideshows(folder);
  RegDeleteTreeA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY);
  for (const char* name : {"\\camera-1.jpg", "\\camera-2.jpg", "\\camera-3.jpg"}) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
