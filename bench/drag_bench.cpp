// Ctrl+drag steps through the real message path: input injected with
// SendInput, queued, dispatched to the frame window, which pans the photo and
// recomposes, reshapes and re-icons the window on every step; with one
// ornament, then in a second process with sixteen shown. Prints figures.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/ids.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "bench/stored_ornaments.h"
#include "bench/timing.h"
#include "tests/support/private_registry.h"

namespace {

constexpr int DRAG_STEPS = 200;

void Inject(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void InjectKey(WORD key, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

// Dispatches queued messages until the condition holds; false after two seconds.
template <typename Condition>
bool PumpUntil(Condition condition) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (GetTickCount() - start > 2000) return false;
  }
  return true;
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

// The same benchmark in a process of its own, with `ornaments` shown; first,
// as the program's single instance stays this process's once it has started.
void RunWithOrnaments(int ornaments) {
  char exe[MAX_PATH], command[MAX_PATH + 16];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  wsprintfA(command, "\"%s\" %d", exe, ornaments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::fflush(stdout);
  if (!CreateProcessA(exe, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) return;
  WaitForSingleObject(process.hProcess, 60000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}

}  // namespace

int main(int argc, char** argv) {
  const int ornaments = argc > 1 ? std::atoi(argv[1]) : 1;
  if (ornaments == 1) RunWithOrnaments(16);
  if (!RedirectCurrentUser()) return 1;
  const struct {
    const char* name;
    DWORD value;
  } prepared[] = {{"FrameID", 2011}, {"X1", 300}, {"Y1", 200}, {"W1", 256}, {"H1", 256}};
  for (const auto& setting : prepared) StoreOrnamentNumber(1, setting.name, setting.value);
  // The others in two rows below the one dragged.
  for (int number = 2; number <= ornaments; ++number) {
    StoreOrnamentNumber(number, "X1", static_cast<DWORD>(16 + (number - 2) % 8 * 130));
    StoreOrnamentNumber(number, "Y1", static_cast<DWORD>(520 + (number - 2) / 8 * 130));
    StoreOrnamentNumber(number, "W1", 120);
    StoreOrnamentNumber(number, "H1", 120);
  }

  if (!StartProgram()) return 1;
  PumpUntil([] { return IsWindowVisible(FrameWindow) != 0; });
  // A camera photo, whose filling view leaves room to pan both ways.
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(CHERIMO_CORPUS_DIR "/images/camera.jpg"), 0);
  SetCursorPos(428, 328);
  InjectKey(VK_CONTROL, 0);
  Inject(MOUSEEVENTF_LEFTDOWN);
  if (!PumpUntil([] { return GetCapture() == FrameWindow; })) {
    std::printf("the drag did not start\n");
    return 1;
  }

  std::vector<double> stepMs;
  for (int step = 0; step < DRAG_STEPS; ++step) {
    const int32_t panBefore = Settings->X2;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    Inject(MOUSEEVENTF_MOVE, step % 2 ? -1 : 1, 0);
    if (!PumpUntil([&] { return Settings->X2 != panBefore; })) {
      std::printf("step %d was not delivered\n", step);
      return 1;
    }
    QueryPerformanceCounter(&end);
    stepMs.push_back(Milliseconds(start, end));
  }
  Inject(MOUSEEVENTF_LEFTUP);
  InjectKey(VK_CONTROL, KEYEVENTF_KEYUP);
  PumpUntil([] { return GetCapture() == nullptr; });

  // The recomposition alone, for the share of the message path in a step.
  std::vector<double> recomposeMs;
  for (int step = 0; step < DRAG_STEPS; ++step) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
    QueryPerformanceCounter(&end);
    recomposeMs.push_back(Milliseconds(start, end));
  }

  std::printf("drag: %d Ctrl+drag steps at 256x256, frame %d, %dx%d photo, %d ornament%s shown, input to "
              "recomposed window\n",
              DRAG_STEPS, Settings->FrameID, Settings->W2, Settings->H2, OrnamentCount, OrnamentCount > 1 ? "s" : "");
  std::printf("  median %.3f ms  p90 %.3f ms  max %.3f ms\n", Percentile(stepMs, 0.5), Percentile(stepMs, 0.9),
              Percentile(stepMs, 1.0));
  std::printf("  recomposition alone: median %.3f ms  p90 %.3f ms\n", Percentile(recomposeMs, 0.5),
              Percentile(recomposeMs, 0.9));
  SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
  RestoreCurrentUser();
  return 0;
}
