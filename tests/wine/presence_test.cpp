// Show state, taskbar presence, topmost state and the tray icon.
#include <string>
#include <vector>

#include "desktop/tray_icon.h"
#include "imaging/compositor.h"
#include "imaging/frame_icon.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

struct TrayRequest {
  DWORD action;
  NOTIFYICONDATAA data;
};

std::vector<TrayRequest> TrayRequests;

BOOL WINAPI RecordTrayRequest(DWORD action, PNOTIFYICONDATAA data) {
  TrayRequests.push_back({action, *data});
  return TRUE;
}

class PresenceTest : public FrameWindowTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    TrayRequests.clear();
    TrayShellCall = RecordTrayRequest;
  }

  // The icon follows a recomposition at once or, right after another one,
  // a moment later.
  static void SettleIcon() { ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); })); }

  static std::vector<DWORD> Actions() {
    std::vector<DWORD> actions;
    for (const TrayRequest& request : TrayRequests) actions.push_back(request.action);
    return actions;
  }
  static bool Shown() { return IsWindowVisible(FrameWindow) && !IsIconic(FrameWindow); }
  static LONG ExtendedStyle() { return GetWindowLongA(FrameWindow, GWL_EXSTYLE); }
};

TEST_P(PresenceTest, TheShowStateTableHoldsForBothTaskbarSettings) {
  const int taskbar = GetParam();
  WriteDword("Taskbar", static_cast<DWORD>(taskbar));
  Start();
  EXPECT_TRUE(Shown());
  Send(WM_COMMAND, IDM_MINIMIZE);
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_EQ(IsWindowVisible(FrameWindow) && IsIconic(FrameWindow), taskbar == 1) << "minimised to its button";
  EXPECT_EQ(IsWindowVisible(FrameWindow) != 0, taskbar == 1) << "or hidden";

  // Changing the taskbar option while put away only changes the style.
  Send(WM_COMMAND, IDM_SHOW_ON_TASKBAR);
  EXPECT_EQ(Settings.Taskbar, 1 - taskbar);
  EXPECT_EQ(IsWindowVisible(FrameWindow) != 0, taskbar == 1);
  EXPECT_EQ((ExtendedStyle() & WS_EX_APPWINDOW) != 0, taskbar == 0);

  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
  EXPECT_EQ(Settings.Show, 1);
  EXPECT_TRUE(Shown());
  Send(MSG_SET_SHOW_STATE, 2, 1);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
  EXPECT_FALSE(IsIconic(FrameWindow)) << "hidden, not minimised";
  Send(MSG_SET_SHOW_STATE, 1, 0);
  EXPECT_TRUE(Shown());

  ShowWindow(FrameWindow, SW_HIDE);
  Send(MSG_SET_SHOW_STATE, 1, 0);
  EXPECT_FALSE(IsWindowVisible(FrameWindow)) << "the same state again does nothing";
}

INSTANTIATE_TEST_SUITE_P(Taskbar, PresenceTest, testing::Values(0, 1));

// Only 1 sets either option; the style bits change on a shown window.
TEST_F(PresenceTest, TheTaskbarAndTopmostOptionsRestyleTheWindow) {
  Start();
  EXPECT_TRUE(ExtendedStyle() & WS_EX_TOPMOST);
  for (int on : {1, 0, 2, 1}) {
    Send(MSG_SET_TASKBAR, static_cast<WPARAM>(on));
    Send(MSG_SET_TOPMOST, static_cast<WPARAM>(on));
    EXPECT_TRUE(IsWindowVisible(FrameWindow)) << on;
    EXPECT_EQ(Settings.AlwaysOnTheTop, on);
    EXPECT_EQ((ExtendedStyle() & WS_EX_APPWINDOW) != 0, on == 1) << on;
    EXPECT_EQ((ExtendedStyle() & WS_EX_TOOLWINDOW) != 0, on != 1) << on;
    EXPECT_EQ((ExtendedStyle() & WS_EX_TOPMOST) != 0, on == 1) << on;
    EXPECT_TRUE(ExtendedStyle() & WS_EX_ACCEPTFILES) << on;
  }
}

TEST_F(PresenceTest, TheTrayIconIsAddedOnceThenChangedThenRemoved) {
  WriteDword("TrayIcon", 1);
  Start();
  SettleIcon();
  ASSERT_EQ(TrayRequests.size(), 1u) << "the first full composition adds the icon";
  const NOTIFYICONDATAA& added = TrayRequests[0].data;
  EXPECT_EQ(TrayRequests[0].action, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(added.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  EXPECT_EQ(added.hWnd, FrameWindow);
  EXPECT_EQ(added.uID, TRAY_ICON_ID);
  EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(added.uCallbackMessage, MSG_TRAY_NOTIFY);
  EXPECT_NE(added.hIcon, nullptr);
  EXPECT_EQ(std::string(added.szTip), "Brivanta Cherimo");

  Send(MSG_RECOMPOSE, 0, 0);
  SettleIcon();
  Send(MSG_RECOMPOSE, 0, 1);  // leaves the tray alone
  SettleIcon();
  EXPECT_EQ(TrayRequests.back().data.uFlags, static_cast<UINT>(NIF_ICON));
  Send(WM_COMMAND, IDM_TRAY_ICON);
  EXPECT_EQ(Settings.TrayIcon, 0);
  Send(MSG_SET_TRAY_ICON, 0, 0);  // no icon there to remove
  Send(MSG_SET_TRAY_ICON, 2, 0);  // no icon handle, nothing to show
  Send(WM_COMMAND, IDM_TRAY_ICON);
  EXPECT_EQ(TrayRequests.back().data.hIcon, FrameIcon) << "the command shows the current frame icon";
  DestroyWindow(FrameWindow);
  EXPECT_EQ(Actions(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_ADD, NIM_DELETE}));
}

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(PresenceTest, OnlyButtonPressesOnOurIconBringTheWindowBackAndARightOneOpensTheMenu) {
  Start();
  Send(WM_COMMAND, IDM_MINIMIZE);
  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID + 1, WM_LBUTTONDOWN);
  for (UINT other : {WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK}) Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, other);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
  EXPECT_EQ(Settings.Show, 2);
  // The menu runs its own loop until it is closed.
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(IsWindowVisible(FrameWindow));
  EXPECT_EQ(Settings.Show, 1);
}

TEST_F(PresenceTest, ARestartedShellGetsTheIconBackWhenItIsWanted) {
  WriteDword("TrayIcon", 1);
  Start();
  SettleIcon();
  ASSERT_EQ(TrayRequests.size(), 1u);
  Send(RegisterWindowMessageA("TaskbarCreated"));
  ASSERT_EQ(Actions(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
  EXPECT_EQ(TrayRequests[1].data.hIcon, TrayRequests[0].data.hIcon);
  EXPECT_EQ(TrayRequests[1].data.uCallbackMessage, MSG_TRAY_NOTIFY);

  Send(WM_COMMAND, IDM_TRAY_ICON);
  Send(RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(TrayRequests.back().action, static_cast<DWORD>(NIM_DELETE)) << "not wanted, not added";
}

TEST_F(PresenceTest, ARestoreByTheSystemIsRecordedSoMinimizeWorksAgain) {
  WriteDword("Taskbar", 1);
  Start();
  Send(WM_COMMAND, IDM_MINIMIZE);
  ASSERT_TRUE(IsIconic(FrameWindow));
  ShowWindow(FrameWindow, SW_RESTORE);
  EXPECT_EQ(Settings.Show, 1);
  Send(WM_COMMAND, IDM_MINIMIZE);
  EXPECT_TRUE(IsIconic(FrameWindow));
  EXPECT_EQ(Settings.Show, 2);
}

TEST_F(FrameWindowTest, AStartPutAwayStaysPutAwayWhenTheWindowIsMerelyCreated) {
  WriteDword("Show", 2);
  WriteDword("Taskbar", 1);
  ASSERT_EQ(StartProgram(), 1);
  EXPECT_FALSE(IsWindowVisible(FrameWindow));
  EXPECT_EQ(Settings.Show, 2);
  EXPECT_TRUE(GetWindowLongA(FrameWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

}  // namespace
