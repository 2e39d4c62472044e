// The end of the session and the second start's hand-over in the real exe
// (the hidden switch and bad paths: unicode_paths_test.cpp).
#include <algorithm>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

std::string Quoted(const std::string& path) { return '"' + path + '"'; }

int CountAboutBoxes() {
  int count = 0;
  for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", TEXT_ABOUT_TITLE));) ++count;
  return count;
}

// "Open with" shows the window in front however it was left at the last exit.
// A second start while the About box is up brings the box forward: the frame
// window it disabled must not take the keys, or F1 opens a second box.
TEST_F(RealProgramTest, AStartWithAPathShowsTheWindowInFrontAndASecondOneTheBoxThatIsUp) {
  for (const int show : {1, 2}) {
    for (const int taskbar : {0, 1}) {
      DeleteSettingsKey();
      WriteDword("Show", static_cast<DWORD>(show));
      WriteDword("Taskbar", static_cast<DWORD>(taskbar));
      RunningProgram program;
      HWND window = StartedWindow(program, Quoted(CHERIMO_CORPUS_DIR "/images/halves.png").c_str());
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) && !IsIconic(window) && GetForegroundWindow() == window; }))
          << "Show " << show << ", Taskbar " << taskbar;
      if (show == 2 && taskbar == 1) {
        PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowA("#32770", TEXT_ABOUT_TITLE)) && IsWindowVisible(box); }));
        RunningProgram again;
        ASSERT_TRUE(StartProgramProcess(again));
        EXPECT_EQ(WaitForExit(again), 0);
        GUITHREADINFO front = {sizeof front};
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &front);
        EXPECT_EQ(front.hwndActive, box);
        PostMessageA(front.hwndFocus, WM_KEYDOWN, VK_F1, 0);
        EXPECT_TRUE(Answers(window));
        EXPECT_EQ(CountAboutBoxes(), 1);
        PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitUntil([] { return CountAboutBoxes() == 0; }));
      }
      EXPECT_EQ(CloseAndWait(program, window), 0);
    }
  }
}

// What reaches a copy that is still starting: it holds the mutex, and its
// window, made only later, records every hand-over.
std::vector<std::string> Received;

LRESULT CALLBACK RecordHandOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    Received.emplace_back(static_cast<const char*>(reinterpret_cast<const COPYDATASTRUCT*>(lParam)->lpData));
    return 1;
  }
  if (message == MSG_SET_SHOW_STATE) Received.push_back("show " + std::to_string(wParam));
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Ended(const RunningProgram& program) { return WaitForSingleObject(program.process.hProcess, 0) == WAIT_OBJECT_0; }

// Explorer starts one process per file of a multi-selection, all at once:
// none gives up before the first one's window is there, each hands over its
// path made full, and each ends in time even when that window never answers.
TEST_F(RealProgramTest, StartsAtTheSameMomentWaitForTheWindowHandOverEveryPathAndEndInTimeWhenItHangs) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, TEXT_MUTEX_NAME);
  ASSERT_NE(mutex, nullptr);
  const std::string paths[] = {"C:\\photos\\a.png", "relative b.png", "\\\\server\\share\\c.png"};
  std::vector<std::string> expected = {"show 1", "show 1", "show 1"};
  RunningProgram starts[3];
  for (int i = 0; i < 3; ++i) {
    char full[MAX_PATH];
    GetFullPathNameA(paths[i].c_str(), MAX_PATH, full, nullptr);
    expected.emplace_back(full);
    ASSERT_TRUE(StartProgramProcess(starts[i], Quoted(paths[i]).c_str()));
  }
  EXPECT_FALSE(WaitUntil([&] { return std::any_of(starts, starts + 3, Ended); }, 1500)) << "one gave up";
  WNDCLASSA recording = {};
  recording.lpfnWndProc = RecordHandOver;
  recording.hInstance = GetModuleHandleA(nullptr);
  recording.lpszClassName = TEXT_FRAME_CLASS;
  ASSERT_TRUE(RegisterClassA(&recording));
  HWND window = CreateWindowExA(0, TEXT_FRAME_CLASS, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return std::all_of(starts, starts + 3, Ended); }));
  for (RunningProgram& start : starts) EXPECT_EQ(WaitForExit(start), 0);
  std::sort(Received.begin(), Received.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Received, expected);

  // This thread now answers nothing while the start waits.
  RunningProgram hung;
  const DWORD started = GetTickCount();
  ASSERT_TRUE(StartProgramProcess(hung, Quoted(paths[0]).c_str()));
  EXPECT_EQ(WaitForSingleObject(hung.process.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_LT(GetTickCount() - started, 10000u);
  DestroyWindow(window);
  CloseHandle(mutex);
}

// Only an ending session writes the settings, and before the process is ended.
TEST_F(RealProgramTest, TheEndOfTheSessionWritesTheSettings) {
  RunningProgram program;
  HWND window = StartedWindow(program);
  ASSERT_NE(window, nullptr);

  SetWindowPos(window, nullptr, 77, 88, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(window, WM_ENDSESSION, FALSE, 0);
  EXPECT_NE(StoredDword("X1"), 77) << "a cancelled session end writes nothing";
  SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  TerminateProcess(program.process.hProcess, 1);
  WaitForExit(program);
  EXPECT_EQ(StoredDword("X1"), 77);
}

}  // namespace
