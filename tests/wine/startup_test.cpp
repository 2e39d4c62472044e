// Start-up, the settings store and the frame window's own handlers,
// in-process against a private registry.
#include <algorithm>
#include <string>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "imaging/compositor.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/imaging_files.h"

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

void WriteOrnamentDword(int number, const char* name, DWORD value) {
  WriteRegValue(OrnamentKey(number).c_str(), name, REG_DWORD, &value, sizeof value);
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

// Further ornaments come back from their subkeys, a gap in the numbers
// closed and one without a place skipped, absurd sides mended. A new one goes
// beside its own, over none; photos from other starts go to the one used
// last; one closed takes its values with it and the others move up; sixteen
// is the limit, and each stored again under its number.
TEST_F(StartupTest, StoredOrnamentsComeBackNewOnesGoBesideClosedOnesTakeTheirValuesAndSixteenIsTheLimit) {
  WriteDword("X1", 40);
  WriteDword("Y1", 40);
  for (const auto& [name, value] : {std::pair("X1", 300u), std::pair("Y1", 200u), std::pair("W1", 120u),
                                    std::pair("H1", 120u), std::pair("FrameID", 2005u)}) {
    WriteOrnamentDword(2, name, value);
  }
  WriteRegValue(OrnamentKey(3).c_str(), "X1", REG_SZ, "300", 4);
  WriteOrnamentDword(3, "Y1", 400);
  for (const auto& [name, value] : {std::pair("X1", 500u), std::pair("Y1", 300u), std::pair("W1", 100000u),
                                    std::pair("FrameID", 7u), std::pair("Taskbar", 1u)}) {
    WriteOrnamentDword(5, name, value);
  }
  Start();
  ASSERT_EQ(OrnamentCount, 3);
  EXPECT_EQ((std::vector{BoxOf(OrnamentWindows[1]), BoxOf(OrnamentWindows[2])}),
            (std::vector{Box{300, 200, 120, 120}, Box{500, 300, 256, 100}}));
  EXPECT_EQ((std::vector{OrnamentAt(0)->store.values.FrameID, OrnamentAt(1)->store.values.FrameID,
                         OrnamentAt(2)->store.values.FrameID, ProgramSettings.Taskbar}),
            (std::vector{FRAME_ID_DEFAULT, 2005, FRAME_ID_DEFAULT, 0}))
      << "the taskbar is the program's, not an ornament's";

  SendMessageA(OrnamentWindows[1], WM_COMMAND, IDM_NEW_ORNAMENT, 0);
  ASSERT_EQ(OrnamentCount, 4);
  EXPECT_EQ(LastUsedWindow, OrnamentWindows[3]);
  EXPECT_EQ(OrnamentAt(3)->store.values.FrameID, 2005) << "the frame of the one it came from";
  const Box made = BoxOf(OrnamentWindows[3]);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Overlap(made, BoxOf(OrnamentWindows[i]))) << i;
  EXPECT_EQ(made, (Box{172, 200, 120, 120})) << "left: to its right it would cover part of the next";

  std::string photo = CorpusFile("images/photo.png");
  std::replace(photo.begin(), photo.end(), '/', '\\');
  COPYDATASTRUCT handOver = {COPYDATA_PHOTO_PATH, static_cast<DWORD>(photo.size() + 1), photo.data()};
  SendMessageA(OrnamentWindows[0], WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&handOver));
  AwaitPictures();
  EXPECT_EQ(std::string(OrnamentAt(3)->store.values.Photo) + "|" + OrnamentAt(0)->store.values.Photo, photo + "|");

  Ornament* closed = OrnamentAt(1);
  SendMessageA(OrnamentWindows[1], WM_COMMAND, IDM_CLOSE_ORNAMENT, 0);
  ASSERT_TRUE(WaitUntil([] { return OrnamentCount == 3; }));
  EXPECT_NE(OrnamentAt(1), closed);
  EXPECT_EQ(BoxOf(OrnamentWindows[1]), (Box{500, 300, 256, 100}));
  while (OrnamentCount < ORNAMENTS_MAX) {
    const int before = OrnamentCount;
    Send(WM_COMMAND, IDM_NEW_ORNAMENT);
    ASSERT_EQ(OrnamentCount, before + 1);
  }
  Send(WM_COMMAND, IDM_NEW_ORNAMENT);
  EXPECT_EQ(OrnamentCount, ORNAMENTS_MAX);
  PrepareContextMenu();
  EXPECT_EQ(GetMenuState(ContextMenu, IDM_NEW_ORNAMENT, MF_BYCOMMAND) & MF_GRAYED, UINT{MF_GRAYED});
  EXPECT_EQ(GetMenuState(ContextMenu, IDM_CLOSE_ORNAMENT, MF_BYCOMMAND) & MF_GRAYED, UINT{0});

  Send(WM_CLOSE);
  ASSERT_TRUE(WaitForQuit());
  EndProgram(1);
  std::vector<std::string> stored;
  for (int number : {2, 3, 16, 17}) {
    const RegValue x = ReadRegValue(OrnamentKey(number).c_str(), "X1");
    const RegValue w = ReadRegValue(OrnamentKey(number).c_str(), "W1");
    stored.push_back(x.present ? std::to_string(*reinterpret_cast<const int32_t*>(x.data.data())) + "," +
                                     std::to_string(*reinterpret_cast<const int32_t*>(w.data.data()))
                               : "none");
  }
  EXPECT_EQ(stored, (std::vector<std::string>{"500,256", "172,120", stored[2], "none"}));
  EXPECT_NE(stored[2], "none");
  EXPECT_FALSE(ReadRegValue(OrnamentKey(2).c_str(), "Taskbar").present) << "program-wide values only in the program's key";
  EXPECT_EQ(std::string(ReadRegValue(OrnamentKey(3).c_str(), "Photo").data.c_str()), photo);
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
