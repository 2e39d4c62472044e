// The end of the session in the real exe (the single instance and the hidden
// switch: unicode_paths_test.cpp, with the paths a start brings), and its icon.
#include <cstring>
#include <tuple>
#include <vector>

#include "app/ids.h"
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

// The program icon as the shell reads it from the exe: every size Windows
// asks for at the common display scales with alpha, 32 x 32 also in 16 and
// 256 colours, and 256 x 256 as PNG.
TEST(ProgramIcon, TheExeHoldsEverySizeWindowsAsksFor) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(std::strrchr(exe, '\\') + 1, "cherimo.exe");
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const auto resource = [module](unsigned id, LPCSTR type) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    return found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
  };
  const BYTE* group = resource(IDI_PROGRAM, RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  std::vector<std::tuple<int, int, bool>> images;  // side, bits per pixel, PNG
  for (int i = 0; i < (group[4] | group[5] << 8); ++i) {
    const BYTE* entry = group + 6 + 14 * i;  // the directory entry with a 16-bit resource id at its end
    const BYTE* image = resource(entry[12] | entry[13] << 8, RT_ICON);
    ASSERT_NE(image, nullptr);
    images.emplace_back(entry[0] ? entry[0] : 256, entry[6] | entry[7] << 8, std::memcmp(image, "\x89PNG", 4) == 0);
  }
  FreeLibrary(module);
  EXPECT_EQ(images, (std::vector<std::tuple<int, int, bool>>{{16, 32, false}, {20, 32, false}, {24, 32, false},
                                                             {32, 4, false}, {32, 8, false}, {40, 32, false},
                                                             {48, 32, false}, {64, 32, false}, {256, 32, true}}));
}

}  // namespace
