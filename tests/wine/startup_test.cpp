// Start-up, the settings store and the frame window's own handlers,
// in-process against a private registry.
#include <vector>

#include "app/desktop_metrics.h"
#include "app/texts.h"
#include "imaging/compositor.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

using StartupTest = FrameWindowTest;

TEST_F(StartupTest, FirstRunWritesEveryBuiltInValueAndTheWindowKeepsItsLimitsAndFollowsSystemChanges) {
  Start();
  EXPECT_EQ((std::vector<int>{CountValues(REG_DWORD), CountValues(REG_SZ)}), (std::vector<int>{20, 4}));
  EXPECT_EQ(StoredDword("X1"), DesktopMetrics.workArea.right - 100);
  EXPECT_EQ(Placed(), (Box{DesktopMetrics.workArea.right - 100, 32, 100, 100}));

  // Tracking limits are thirty by forty up to the screen.
  MINMAXINFO limits = {};
  EXPECT_EQ(Send(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ((std::vector<LONG>{limits.ptMinTrackSize.x, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.x,
                               limits.ptMaxTrackSize.y}),
            (std::vector<LONG>{30, 40, width, height}));
  for (UINT message : {WM_SETTINGCHANGE, WM_USERCHANGED, WM_DISPLAYCHANGE, WM_THEMECHANGED}) {
    DesktopMetrics = {};
    EXPECT_EQ(Send(message), 0) << message;
    EXPECT_EQ((std::vector<LONG>{DesktopMetrics.screenWidth, DesktopMetrics.screenCentreY, DesktopMetrics.workArea.right > 0}),
              (std::vector<LONG>{width, height / 2, 1})) << message;
  }
}

// A value of the wrong type or length keeps its built-in value; the others
// win, even a window partly off the screen by less than a quarter of its sides. A minimised window keeps its
// last real rectangle, and the end writes it.
TEST_F(StartupTest, StoredValuesWinBadOnesKeepTheirBuiltInValuesAndTheEndWritesTheLastRealRect) {
  const LONG left = GetSystemMetrics(SM_CXSCREEN) - 76;
  WriteDword("X1", static_cast<DWORD>(left));
  WriteDword("Y1", static_cast<DWORD>(-24));
  const WORD shortValue = 7;
  WriteValue("W1", REG_BINARY, &shortValue, sizeof shortValue);
  const ULONGLONG wideValue = 5;
  WriteValue("H1", REG_QWORD, &wideValue, sizeof wideValue);
  // A stored frame that no longer decodes gives way to the default.
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  const std::string frame = CHERIMO_CORPUS_DIR "/bad/truncated.png";
  WriteValue("Frame", REG_SZ, frame.data(), static_cast<DWORD>(frame.size()));
  WriteDword("Path", 0x41424344);
  // A missing photo shows the default one as a first start does.
  const std::string missing = "C:\\no such folder\\me.jpg";
  WriteValue("Photo", REG_SZ, missing.data(), static_cast<DWORD>(missing.size()));
  const char* const viewNames[] = {"W3", "H3", "X2", "Y2"};
  const std::vector<int64_t> lostView = {900, 700, 40, 50};
  for (size_t i = 0; i < lostView.size(); ++i) WriteDword(viewNames[i], static_cast<DWORD>(lostView[i]));
  WriteDword("Taskbar", 1);
  Start();
  EXPECT_EQ(Placed(), (Box{left, -24, 100, 100}));
  EXPECT_EQ(Settings->FrameID, FRAME_ID_DEFAULT);
  EXPECT_NE(Composed->frameKeys.dc, nullptr);
  EXPECT_EQ((std::vector<int32_t>{Settings->W3, Settings->H3, Settings->X2, Settings->Y2}),
            (std::vector<int32_t>{128, 168, -21, -11}));
  // Four bytes that are not a path: read as text (two UTF-16 units, U+4344
  // U+4142, as every stored string is read) and trimmed, nothing more.
  EXPECT_STREQ(Settings->Path, "\xE4\x8D\x84\xE4\x85\x82");

  SetWindowPos(FrameWindow, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(FrameWindow, nullptr, 0, 0, 180, 140, SWP_NOMOVE | SWP_NOZORDER);
  ShowWindow(FrameWindow, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(FrameWindow));
  EXPECT_EQ((Box{Settings->X1, Settings->Y1, Settings->W1, Settings->H1}), (Box{200, 150, 180, 140}));
  // Closed as the Exit command does, ended as the entry point does.
  Send(WM_CLOSE);
  ASSERT_TRUE(WaitForQuit());
  EndProgram(1);
  EXPECT_EQ(StoredDword("X1"), 200) << "not where the minimised window is";
  EXPECT_EQ(StoredText("Photo"), missing) << "a missing photo keeps its stored path";
  std::vector<int64_t> storedView;
  for (const char* name : viewNames) storedView.push_back(StoredDword(name).value_or(0));
  EXPECT_EQ(storedView, lostView) << "and its pan and zoom, for when it is back";
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
}

// Without its window the start ends, so the process ends and frees the
// single-instance mutex instead of keeping every later start out.
TEST_F(StartupTest, AFrameWindowThatCannotBeMadeEndsTheStart) {
  WNDCLASSA refusing = {0, RefuseCreation, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                       TEXT_FRAME_CLASS};
  ASSERT_TRUE(RegisterClassA(&refusing));
  EXPECT_EQ(StartProgram(), 0);
}

}  // namespace
