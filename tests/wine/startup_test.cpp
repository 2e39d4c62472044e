// Start-up, the settings store and the frame window's own handlers,
// in-process against a private registry.
#include <string>

#include "app/desktop_metrics.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

class StartupTest : public FrameWindowTest {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    GetTempPathA(MAX_PATH, tempFolder);
  }

  // Closes the window as the Exit command does and ends the run as the
  // entry point does.
  void CloseAndEnd() {
    SendMessageA(FrameWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForQuit());
    EndProgram(1);
  }

  static void ExpectSettingsHoldWindowRect() {
    const RECT rect = WindowRect();
    EXPECT_EQ(Settings.X1, rect.left);
    EXPECT_EQ(Settings.Y1, rect.top);
    EXPECT_EQ(Settings.W1, rect.right - rect.left);
    EXPECT_EQ(Settings.H1, rect.bottom - rect.top);
  }

  std::string TempFile(const char* name) {
    const std::string path = std::string(tempFolder) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    return path;
  }

  char tempFolder[MAX_PATH];
};

TEST_F(StartupTest, FirstRunWritesEveryBuiltInValueAndShowsTheWindowAtTheRightEdge) {
  Start();
  EXPECT_EQ(CountValues(REG_DWORD), 18);
  EXPECT_EQ(CountValues(REG_SZ), 3);
  EXPECT_EQ(StoredDword("X1"), DesktopMetrics.workArea.right - 100);
  EXPECT_EQ(StoredDword("Y1"), 32);
  EXPECT_EQ(StoredDword("FrameID"), 2008);
  EXPECT_EQ(StoredDword("X2"), -21);
  std::string text;
  for (const char* name : {"Path", "Photo", "Frame"}) {
    ASSERT_TRUE(ReadString(name, &text)) << name;
    EXPECT_EQ(text, "") << name;
  }
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2008));
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);

  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right, DesktopMetrics.workArea.right);
  EXPECT_EQ(rect.top, 32);
  EXPECT_EQ(rect.right - rect.left, 100);
  EXPECT_EQ(rect.bottom - rect.top, 100);
}

TEST_F(StartupTest, StoredValuesWinAndMissingOnesKeepTheirBuiltInValues) {
  WriteDword("X1", 40);
  WriteDword("Y1", 300);
  WriteDword("W2", 500);
  WriteDword("H3", 999);
  WriteDword("FrameID", 2090);
  Start();
  EXPECT_EQ(Settings.X1, 40);
  EXPECT_EQ(Settings.Y1, 300);
  EXPECT_EQ(Settings.W1, 100);
  EXPECT_EQ(Settings.H3, 999);
  EXPECT_EQ(Settings.W3, 128);
  EXPECT_EQ(Settings.Show, 1);
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2090));
  // The placeholder photo made with the window sets the photo size.
  EXPECT_EQ(Settings.W2, 87);
  EXPECT_EQ(Settings.H2, 127);
  EXPECT_EQ(WindowRect().left, 40);
  EXPECT_EQ(WindowRect().top, 300);
}

TEST_F(StartupTest, AnExistingCustomFrameFileIsShownAndAMissingPhotoKeepsItsPath) {
  const std::string frame = TempFile("cherimo-custom-frame.png");
  // Written by another tool, with a terminating zero.
  WriteValue("Frame", REG_SZ, frame.c_str(), static_cast<DWORD>(frame.size() + 1));
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  const std::string missingPhoto = "C:\\no such folder\\me.jpg";
  WriteValue("Photo", REG_SZ, missingPhoto.data(), static_cast<DWORD>(missingPhoto.size()));
  Start();
  EXPECT_EQ(std::string(Settings.Frame), frame);
  EXPECT_EQ(StartFrame, reinterpret_cast<ImageSource>(Settings.Frame));
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);
  CloseAndEnd();
  std::string text;
  ASSERT_TRUE(ReadString("Photo", &text));
  EXPECT_EQ(text, missingPhoto);
  DeleteFileA(frame.c_str());
}

TEST_F(StartupTest, AMissingCustomFrameFileShowsTheDefaultFrame) {
  const std::string frame = "C:\\no such folder\\frame.png";
  WriteValue("Frame", REG_SZ, frame.data(), static_cast<DWORD>(frame.size()));
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  Start();
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2008));
}

TEST_F(StartupTest, ValuesOfTheWrongTypeOrLengthKeepTheBuiltInValues) {
  WriteValue("X1", REG_SZ, "12", 3);
  const WORD shortValue = 7;
  WriteValue("W1", REG_BINARY, &shortValue, sizeof shortValue);
  const ULONGLONG wideValue = 5;
  WriteValue("H1", REG_QWORD, &wideValue, sizeof wideValue);
  WriteDword("Path", 0x41424344);
  const std::string tooLong(300, 'x');
  WriteValue("Photo", REG_SZ, tooLong.data(), static_cast<DWORD>(tooLong.size()));
  Start();
  EXPECT_EQ(Settings.X1, DesktopMetrics.workArea.right - 100);
  EXPECT_EQ(Settings.W1, 100);
  EXPECT_EQ(Settings.H1, 100);
  EXPECT_EQ(std::string(Settings.Photo), "");
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);
  // Four bytes that are not a path: read as text and trimmed, nothing more.
  EXPECT_EQ(std::string(Settings.Path), "DCBA");
}

TEST_F(StartupTest, TheRememberedFolderIsCutBackToOneThatExists) {
  std::string folder = tempFolder;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const std::string stored = folder + "\\Gone\\Deeper\\";
  WriteValue("Path", REG_SZ, stored.data(), static_cast<DWORD>(stored.size()));
  Start();
  EXPECT_EQ(std::string(Settings.Path), folder);
}

TEST_F(StartupTest, AWindowLeftOnAGoneDisplayComesBackOntoTheWorkArea) {
  WriteDword("X1", 5000);
  WriteDword("Y1", 4000);
  WriteDword("W1", 120);
  WriteDword("H1", 90);
  Start();
  const RECT rect = WindowRect();
  const RECT& work = DesktopMetrics.workArea;
  EXPECT_EQ(rect.right, work.right);
  EXPECT_EQ(rect.bottom, work.bottom);
  EXPECT_EQ(rect.right - rect.left, 120);
  EXPECT_EQ(rect.bottom - rect.top, 90);
}

TEST_F(StartupTest, APartlyVisibleWindowStaysExactlyWhereItWas) {
  RefreshDesktopMetrics();
  const LONG left = DesktopMetrics.screenWidth - 30;
  WriteDword("X1", static_cast<DWORD>(left));
  WriteDword("Y1", static_cast<DWORD>(-40));
  Start();
  EXPECT_EQ(WindowRect().left, left);
  EXPECT_EQ(WindowRect().top, -40);
}

TEST_F(StartupTest, MovesAndSizesAreStoredAndTheLastRectIsWrittenAtTheEnd) {
  Start();
  SetWindowPos(FrameWindow, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ExpectSettingsHoldWindowRect();
  SetWindowPos(FrameWindow, nullptr, 0, 0, 180, 140, SWP_NOMOVE | SWP_NOZORDER);
  ExpectSettingsHoldWindowRect();
  EXPECT_EQ(Settings.W1, 180);
  CloseAndEnd();
  EXPECT_EQ(StoredDword("X1"), 200);
  EXPECT_EQ(StoredDword("Y1"), 150);
  EXPECT_EQ(StoredDword("H1"), 140);
}

TEST_F(StartupTest, AMinimisedWindowKeepsItsLastRealRect) {
  WriteDword("Taskbar", 1);
  Start();
  SetWindowPos(FrameWindow, nullptr, 210, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(FrameWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(FrameWindow));
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_EQ(Settings.X1, 210);
  EXPECT_EQ(Settings.Y1, 160);
  EXPECT_EQ(Settings.W1, 100);
  EXPECT_EQ(Settings.H1, 100);
}

TEST_F(StartupTest, TheSessionEndWritesTheSettingsOnce) {
  Start();
  SetWindowPos(FrameWindow, nullptr, 222, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(FrameWindow, WM_ENDSESSION, FALSE, 0);
  EXPECT_NE(StoredDword("X1"), 222) << "a cancelled session end writes nothing";
  EXPECT_EQ(SendMessageA(FrameWindow, WM_ENDSESSION, TRUE, 0), 0);
  EXPECT_EQ(StoredDword("X1"), 222);
  EXPECT_EQ(StoredDword("Y1"), 111);
}

TEST_F(StartupTest, TrackingLimitsAreThirtyByFortyUpToTheScreen) {
  Start();
  MINMAXINFO limits;
  limits.ptMaxSize = {1234, 567};
  limits.ptMaxPosition = {-8, -9};
  limits.ptMinTrackSize = {1, 1};
  limits.ptMaxTrackSize = {1, 1};
  EXPECT_EQ(SendMessageA(FrameWindow, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  EXPECT_EQ(limits.ptMinTrackSize.x, 30);
  EXPECT_EQ(limits.ptMinTrackSize.y, 40);
  EXPECT_EQ(limits.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(limits.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(limits.ptMaxSize.x, 1234);
  EXPECT_EQ(limits.ptMaxPosition.y, -9);
}

TEST_F(StartupTest, SystemChangesRefreshTheDesktopMetrics) {
  Start();
  for (UINT message : {WM_SETTINGCHANGE, WM_USERCHANGED, WM_DISPLAYCHANGE, WM_THEMECHANGED}) {
    DesktopMetrics = {};
    EXPECT_EQ(SendMessageA(FrameWindow, message, 0, 0), 0) << message;
    EXPECT_EQ(DesktopMetrics.screenWidth, GetSystemMetrics(SM_CXSCREEN)) << message;
    EXPECT_EQ(DesktopMetrics.screenCentreY, GetSystemMetrics(SM_CYSCREEN) / 2) << message;
    EXPECT_GT(DesktopMetrics.workArea.right, 0) << message;
  }
}

TEST_F(StartupTest, ADoubleClickPutsTheWindowAway) {
  Start();
  SendMessageA(FrameWindow, WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
}

}  // namespace
