// The end of the session in the real exe (the single instance and the hidden
// switch: unicode_paths_test.cpp, with the paths a start brings).
#include "tests/wine/program_fixture.h"

namespace {

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
