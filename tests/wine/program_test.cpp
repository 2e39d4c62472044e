// Single instance, the hidden switch and the end of the session in the real exe.
#include "tests/wine/program_fixture.h"

namespace {

// Only an ending session writes the settings, and before the process is ended.
TEST_F(RealProgramTest, TheHiddenSwitchWaitsForASecondStartAndTheEndOfTheSessionWritesTheSettings) {
  RunningProgram program;
  HWND window = StartedWindow(program, "/a");
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  RunningProgram again;
  ASSERT_TRUE(StartProgramProcess(again));
  EXPECT_EQ(WaitForExit(again), 0);
  EXPECT_TRUE(IsWindowVisible(window));

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
