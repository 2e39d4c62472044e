// The end of the session and a slideshow resumed in the real exe (the single
// instance and the hidden switch: unicode_paths_test.cpp, with the paths a start brings).
#include "app/texts.h"
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

// The slideshow goes on from the photo shown at the end: by name in the
// stored folder, or in the stored set when there is no folder.
TEST_F(RealProgramTest, TheSlideshowGoesOnAfterARestartFromThePhotoShown) {
  const ScratchFolder scratch("cherimo-resume");
  const std::string folder = scratch.path.string(), b = folder + "\\b.png", c = folder + "\\c.png";
  for (const char* name : {"a.png", "b.png", "c.png"}) {
    ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", (folder + "\\" + name).c_str(), FALSE));
  }
  const auto nextAfterRestart = [](const std::string& photo) {
    WriteRegString(TEXT_SETTINGS_KEY, "Photo", photo);
    RunningProgram program;
    HWND window = StartedWindow(program);
    DWORD_PTR result;
    std::string shown;
    if (window && SendMessageTimeoutA(window, WM_KEYDOWN, VK_RIGHT, 0, SMTO_BLOCK, 10000, &result) &&
        CloseAndWait(program, window) == 0) {
      ReadString("Photo", &shown);
    }
    return shown;
  };
  WriteDword("SlideInterval", 0);
  WriteRegString(TEXT_SETTINGS_KEY, "SlideFolder", folder);
  EXPECT_EQ(nextAfterRestart(b), c);
  const std::string set = b + '\0' + c + '\0' + '\0';
  WriteRegString(TEXT_SETTINGS_KEY, "SlideFolder", "");
  WriteValue("SlideFiles", REG_MULTI_SZ, set.data(), static_cast<DWORD>(set.size()));
  EXPECT_EQ(nextAfterRestart(c), b);
  EXPECT_EQ(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles"), (RegValue{true, REG_MULTI_SZ, set}));
}

}  // namespace
