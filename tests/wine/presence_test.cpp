// Show state, taskbar presence, topmost state and the tray icon.
#include <vector>

#include "desktop/tray_icon.h"
#include "framewindow/context_menu.h"
#include "imaging/compositor.h"
#include "imaging/frame_icon.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

// Each request to the shell as a line: what it asks, whether the record names
// our icon, and what it carries, with the icon checked against the current
// one when it is sent.
std::vector<std::string> TrayRequests;
// How many adds the shell refuses before it takes one, as at log-on before Explorer is up.
int RefusedAdds;

BOOL WINAPI RecordTrayRequest(DWORD action, PNOTIFYICONDATAA data) {
  const char* const actions[] = {"add", "modify", "delete"};
  std::string line = action < 3 ? actions[action] : "other";
  // A removal names the icon only; what else the record holds is not read.
  const UINT flags = action == NIM_DELETE ? 0 : data->uFlags;
  const bool ours = data->cbSize == NOTIFYICONDATAA_V1_SIZE && data->hWnd == FrameWindow && data->uID == TRAY_ICON_ID;
  if (!ours) line += " not ours";
  if (flags & ~static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP)) line += " other flags";
  if (flags & NIF_MESSAGE) line += data->uCallbackMessage == MSG_TRAY_NOTIFY ? " message" : " other message";
  if (flags & NIF_ICON) line += data->hIcon && data->hIcon == Composed->icons.smallIcon ? " icon" : " stale icon";
  if (flags & NIF_TIP) line += std::string(" tip ") + data->szTip;
  const bool refused = action == NIM_ADD && RefusedAdds > 0 && RefusedAdds--;
  TrayRequests.push_back(line + (refused ? " refused" : ""));
  return !refused;
}

class PresenceTest : public FrameWindowTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    TrayRequests.clear();
    RefusedAdds = 0;
    TrayShellCall = RecordTrayRequest;
  }

  // The stored show state and the window as the user sees it.
  static std::string State() {
    const char* seen = !IsWindowVisible(FrameWindow) ? "hidden" : IsIconic(FrameWindow) ? "minimised" : "shown";
    return std::to_string(ProgramSettings.Show) + " " + seen;
  }
  static LONG ExtendedStyle() { return GetWindowLongA(FrameWindow, GWL_EXSTYLE); }
};

VOID CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// As the menu shows it when it opens.
std::string FirstItem() {
  PrepareContextMenu();
  char caption[64] = "";
  GetMenuStringA(ContextMenu, 0, caption, sizeof caption, MF_BYPOSITION);
  return caption;
}

// Only 1 sets the taskbar or the topmost option.
TEST_P(PresenceTest, TheShowStateTableHoldsForEveryTaskbarSetting) {
  const int taskbar = GetParam();
  const std::string putAway = taskbar == 1 ? "2 minimised" : "2 hidden";
  WriteDword("Taskbar", static_cast<DWORD>(taskbar));
  WriteDword("AlwaysOnTheTop", static_cast<DWORD>(taskbar));
  Start();
  EXPECT_EQ((ExtendedStyle() & WS_EX_TOPMOST) != 0, taskbar == 1);
  Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(State(), putAway) << "minimised to its button or hidden";
  // Restyling keeps the other styles, dropped files among them.
  Send(WM_COMMAND, IDM_SHOW_ON_TASKBAR);
  EXPECT_EQ(State(), putAway) << "changing the taskbar option while put away only changes the style";
  EXPECT_EQ(ExtendedStyle() & (WS_EX_APPWINDOW | WS_EX_ACCEPTFILES), (taskbar == 1 ? 0 : WS_EX_APPWINDOW) | WS_EX_ACCEPTFILES);

  // A right button press on our icon opens the menu, which runs its own loop
  // until it is closed; while put away its first item restores. Only a left
  // press on our icon brings the window back itself.
  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID + 1, WM_LBUTTONDOWN);
  for (UINT other : {WM_LBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK}) Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, other);
  EXPECT_EQ(State(), putAway);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
  KillTimer(nullptr, timer);
  EXPECT_EQ(State() + " " + FirstItem(), putAway + " &Restore");
  Send(WM_COMMAND, GetMenuItemID(ContextMenu, 0));
  EXPECT_EQ(State(), "1 shown");
  EXPECT_EQ(FirstItem(), "&Minimize");
  Send(MSG_SET_SHOW_STATE, 2);
  Send(MSG_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
  EXPECT_EQ(State(), "1 shown");
  Send(MSG_SET_SHOW_STATE, 2, 1);
  EXPECT_EQ(State(), "2 hidden") << "hidden, not minimised";
}

INSTANTIATE_TEST_SUITE_P(Taskbar, PresenceTest, testing::Values(0, 1, 2));

// Started put away, the window stays so until the system restores it, which
// is recorded so that Minimize works again. The tray icon is added at the
// start and again for a restarted shell; it follows a photo handed over while
// minimised at once, not at the next change. Requests with nothing to do (no
// icon to remove, no icon handle to show, a restarted shell while the icon is
// off) reach no shell.
TEST_F(PresenceTest, AStartPutAwayStaysPutAwayUntilRestoredAndTheTrayIconFollowsEveryChangeOnlyWhenThere) {
  WriteDword("Show", 2);
  WriteDword("Taskbar", 1);
  WriteDword("TrayIcon", 1);
  ASSERT_EQ(StartProgram(), 1);
  EXPECT_EQ(State(), "2 hidden") << "not shown when the window is merely created";
  EXPECT_TRUE(ExtendedStyle() & WS_EX_APPWINDOW);
  ShowWindow(FrameWindow, SW_MINIMIZE);
  ASSERT_EQ(State(), "2 minimised");
  ShowWindow(FrameWindow, SW_RESTORE);
  EXPECT_EQ(State(), "1 shown");
  Send(WM_COMMAND, IDM_MINIMIZE);
  EXPECT_EQ(State(), "2 minimised");
  // The icon follows a recomposition at once or, right after another one,
  // a moment later.
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }));
  std::string photo = CHERIMO_CORPUS_DIR "/images/halves.png";
  COPYDATASTRUCT handOver = {COPYDATA_PHOTO_PATH, static_cast<DWORD>(photo.size() + 1), photo.data()};
  Send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&handOver));
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }));
  EXPECT_STREQ(Settings->Path, CHERIMO_CORPUS_DIR "/images/") << "the open dialog opens beside it";
  // A repaint remakes the icon without telling the tray: a restarted shell
  // must get the icon of now, not the destroyed one it was last given.
  Send(MSG_RECOMPOSE, 0, 1);
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }));
  const UINT shellRestarted = RegisterWindowMessageA("TaskbarCreated");
  Send(shellRestarted);
  Send(MSG_RECOMPOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }));
  Send(WM_COMMAND, IDM_TRAY_ICON);
  Send(shellRestarted);
  Send(MSG_SET_TRAY_ICON, 0, 0);
  Send(MSG_SET_TRAY_ICON, 2, 0);
  Send(WM_COMMAND, IDM_TRAY_ICON);
  DestroyWindow(FrameWindow);
  const std::string added = "add message icon tip Brivanta Cherimo";
  EXPECT_EQ(TrayRequests, (std::vector<std::string>{added, "modify icon", added, "modify icon", "delete", added, "delete"}));
}

// An icon the shell refused is not taken for added: the next change, a timer
// while the shell keeps refusing and a restarted shell each add it again;
// once taken it is only changed, and an icon turned off is not asked for again.
TEST_F(PresenceTest, ARefusedTrayIconIsAddedAgainAtTheNextChangeOnATimerAndForARestartedShellUntilTaken) {
  RefusedAdds = 3;
  TrayRetryMs = 60000;
  Start();
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }));
  TrayRetryMs = 50;
  Send(MSG_SET_TRAY_ICON, 1, reinterpret_cast<LPARAM>(Composed->icons.smallIcon));
  ASSERT_TRUE(WaitUntil([] { return TrayRequests.size() == 4; }));
  Send(MSG_SET_TRAY_ICON, 1, reinterpret_cast<LPARAM>(Composed->icons.smallIcon));
  RefusedAdds = 1;
  Send(RegisterWindowMessageA("TaskbarCreated"));
  Send(WM_COMMAND, IDM_TRAY_ICON);
  EXPECT_FALSE(WaitUntil([] { return TrayRequests.size() > 6; }, 300));
  const std::string added = "add message icon tip Brivanta Cherimo", refused = added + " refused";
  EXPECT_EQ(TrayRequests, (std::vector<std::string>{refused, refused, refused, added, "modify icon", refused}));
}

}  // namespace
