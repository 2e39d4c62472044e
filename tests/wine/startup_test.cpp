// Start-up, the settings store and the frame window's own handlers,
// in-process against a private registry.
#include <fstream>
#include <string>

#include "app/desktop_metrics.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

class StartupTest : public FrameWindowTest {
 protected:
  // Closes the window as the Exit command does and ends the run as the
  // entry point does.
  static void CloseAndEnd() {
    Send(WM_CLOSE);
    ASSERT_TRUE(WaitForQuit());
    EndProgram(1);
  }
  static Box StoredBox() { return {Settings.X1, Settings.Y1, Settings.W1, Settings.H1}; }
  static std::string Stored(const char* name) {
    std::string text = "(absent)";
    ReadString(name, &text);
    return text;
  }
  static void WriteText(const char* name, const std::string& text) {
    WriteValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
  }

  ScratchFolder scratch{"cherimo-startup"};
};

TEST_F(StartupTest, FirstRunWritesEveryBuiltInValueAndShowsTheWindowAtTheRightEdge) {
  Start();
  EXPECT_EQ(CountValues(REG_DWORD), 18);
  EXPECT_EQ(CountValues(REG_SZ), 3);
  EXPECT_EQ(StoredDword("X1"), DesktopMetrics.workArea.right - 100);
  EXPECT_EQ(StoredDword("FrameID"), 2008);
  EXPECT_EQ(StoredDword("X2"), -21);
  for (const char* name : {"Path", "Photo", "Frame"}) EXPECT_EQ(Stored(name), "") << name;
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2008));
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);
  EXPECT_EQ(Placed(), (Box{DesktopMetrics.workArea.right - 100, 32, 100, 100}));
}

// A value of the wrong type or length keeps its built-in value; the others win.
TEST_F(StartupTest, StoredValuesWinAndBadOnesKeepTheirBuiltInValues) {
  WriteDword("X1", 40);
  WriteValue("Y1", REG_SZ, "12", 3);
  const WORD shortValue = 7;
  WriteValue("W1", REG_BINARY, &shortValue, sizeof shortValue);
  const ULONGLONG wideValue = 5;
  WriteValue("H1", REG_QWORD, &wideValue, sizeof wideValue);
  WriteDword("W2", 500);
  WriteDword("H3", 999);
  WriteDword("FrameID", 2090);
  WriteDword("Path", 0x41424344);
  WriteText("Photo", std::string(300, 'x'));
  Start();
  EXPECT_EQ(StoredBox(), (Box{40, 32, 100, 100}));
  EXPECT_EQ(Placed(), StoredBox());
  EXPECT_EQ(Settings.H3, 999);
  EXPECT_EQ(Settings.W3, 128);
  EXPECT_EQ(Settings.Show, 1);
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2090));
  // The placeholder photo made with the window sets the photo size.
  EXPECT_EQ(Settings.W2, 87);
  EXPECT_EQ(Settings.H2, 127);
  EXPECT_STREQ(Settings.Photo, "");
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);
  // Four bytes that are not a path: read as text and trimmed, nothing more.
  EXPECT_STREQ(Settings.Path, "DCBA");
}

TEST_F(StartupTest, AnExistingCustomFrameFileIsShownAndAMissingPhotoKeepsItsPath) {
  const std::string frame = (scratch.path / "frame.png").string();
  std::ofstream(frame, std::ios::binary);
  // Written by another tool, with a terminating zero.
  WriteValue("Frame", REG_SZ, frame.c_str(), static_cast<DWORD>(frame.size() + 1));
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  WriteText("Photo", "C:\\no such folder\\me.jpg");
  Start();
  EXPECT_EQ(std::string(Settings.Frame), frame);
  EXPECT_EQ(StartFrame, reinterpret_cast<ImageSource>(Settings.Frame));
  EXPECT_EQ(StartPhoto, DEFAULT_PHOTO_ID);
  CloseAndEnd();
  EXPECT_EQ(Stored("Photo"), "C:\\no such folder\\me.jpg");
}

TEST_F(StartupTest, AMissingCustomFrameFileShowsTheDefaultFrame) {
  WriteText("Frame", "C:\\no such folder\\frame.png");
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  Start();
  EXPECT_EQ(StartFrame, static_cast<ImageSource>(2008));
}

TEST_F(StartupTest, TheRememberedFolderIsCutBackToOneThatExists) {
  WriteText("Path", scratch.path.string() + "\\Gone\\Deeper\\");
  Start();
  EXPECT_EQ(std::string(Settings.Path), scratch.path.string());
}

TEST_F(StartupTest, AWindowLeftOnAGoneDisplayComesBackOntoTheWorkArea) {
  WriteDword("X1", 5000);
  WriteDword("Y1", 4000);
  WriteDword("W1", 120);
  WriteDword("H1", 90);
  Start();
  const RECT& work = DesktopMetrics.workArea;
  EXPECT_EQ(Placed(), (Box{work.right - 120, work.bottom - 90, 120, 90}));
}

TEST_F(StartupTest, APartlyVisibleWindowStaysExactlyWhereItWas) {
  const LONG left = GetSystemMetrics(SM_CXSCREEN) - 30;
  WriteDword("X1", static_cast<DWORD>(left));
  WriteDword("Y1", static_cast<DWORD>(-40));
  Start();
  EXPECT_EQ(Placed(), (Box{left, -40, 100, 100}));
}

TEST_F(StartupTest, MovesAndSizesAreStoredAMinimisedWindowKeepsItsLastRealRectAndTheEndWritesIt) {
  WriteDword("Taskbar", 1);
  Start();
  SetWindowPos(FrameWindow, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(StoredBox(), Placed());
  SetWindowPos(FrameWindow, nullptr, 0, 0, 180, 140, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(StoredBox(), (Box{200, 150, 180, 140}));
  ShowWindow(FrameWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(FrameWindow));
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_EQ(StoredBox(), (Box{200, 150, 180, 140}));
  CloseAndEnd();
  EXPECT_EQ(StoredDword("X1"), 200);
  EXPECT_EQ(StoredDword("H1"), 140);
}

TEST_F(StartupTest, OnlyAnEndingSessionWritesTheSettings) {
  Start();
  SetWindowPos(FrameWindow, nullptr, 222, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Send(WM_ENDSESSION, FALSE);
  EXPECT_NE(StoredDword("X1"), 222) << "a cancelled session end writes nothing";
  EXPECT_EQ(Send(WM_ENDSESSION, TRUE), 0);
  EXPECT_EQ(StoredDword("X1"), 222);
  EXPECT_EQ(StoredDword("Y1"), 111);
}

TEST_F(StartupTest, TrackingLimitsAreThirtyByFortyUpToTheScreen) {
  Start();
  MINMAXINFO limits = {};
  limits.ptMaxSize = {1234, 567};
  EXPECT_EQ(Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  EXPECT_EQ(limits.ptMinTrackSize.x, 30);
  EXPECT_EQ(limits.ptMinTrackSize.y, 40);
  EXPECT_EQ(limits.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(limits.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(limits.ptMaxSize.x, 1234);
}

TEST_F(StartupTest, SystemChangesRefreshTheDesktopMetrics) {
  Start();
  for (UINT message : {WM_SETTINGCHANGE, WM_USERCHANGED, WM_DISPLAYCHANGE, WM_THEMECHANGED}) {
    DesktopMetrics = {};
    EXPECT_EQ(Send(message), 0) << message;
    EXPECT_EQ(DesktopMetrics.screenWidth, GetSystemMetrics(SM_CXSCREEN)) << message;
    EXPECT_EQ(DesktopMetrics.screenCentreY, GetSystemMetrics(SM_CYSCREEN) / 2) << message;
    EXPECT_GT(DesktopMetrics.workArea.right, 0) << message;
  }
}

}  // namespace
