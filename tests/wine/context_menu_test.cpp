// The context menu's frame thumbnails, its ticks and its commands.
#include <dlgs.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "framewindow/photo_placement.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

MENUITEMINFOA CheckMarks(unsigned command) {
  MENUITEMINFOA info = {sizeof info, MIIM_CHECKMARKS};
  EXPECT_TRUE(GetMenuItemInfoA(ContextMenu, command, FALSE, &info)) << command;
  return info;
}

// A thumbnail is its frame on the menu colour averaged to the check mark size,
// shown ticked or not; a frame's command shows it, other ids do nothing, and
// bit 15 is no part of a command.
TEST_F(FrameWindowTest, AFrameItemShowsItsThumbnailAndOnlyTheMenusCommandsRun) {
  Start();
  const int32_t frameId = 2019;  // the funny heart: artwork, both keys, a curved outline
  const MENUITEMINFOA info = CheckMarks(frameId);
  EXPECT_EQ(info.hbmpChecked, info.hbmpUnchecked);
  DIBSECTION thumbnail = {};
  ASSERT_EQ(GetObjectA(info.hbmpChecked, sizeof thumbnail, &thumbnail), static_cast<int>(sizeof thumbnail));
  const int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
  ASSERT_EQ((std::pair<int, int>(thumbnail.dsBm.bmWidth, thumbnail.dsBm.bmHeight)), std::pair(w, h));
  ASSERT_TRUE(DecodeImage(frameId, FrameDC));
  const COLORREF menu = DesktopMetrics.menuColour;
  ReplaceKeyColors(LoaderPixels, LoaderWidth, LoaderHeight, GetRValue(menu) << 16 | GetGValue(menu) << 8 | GetBValue(menu));
  std::vector<uint32_t> average(static_cast<size_t>(w) * h);
  ASSERT_TRUE(AreaAverageWhole(LoaderPixels, LoaderWidth, LoaderHeight, average.data(), w, h));
  const uint32_t* seen = static_cast<const uint32_t*>(thumbnail.dsBm.bmBits);
  EXPECT_EQ(std::vector<uint32_t>(seen, seen + average.size()), average);

  for (WPARAM command : {2042u, 0u, 1999u, 2091u, 5011u, 7000u}) Send(WM_COMMAND, command);
  EXPECT_EQ(Settings.FrameID, 2042);
  EXPECT_TRUE(IsWindowVisible(FrameWindow));
  Send(WM_COMMAND, IDM_MINIMIZE | 0x8000);
  EXPECT_EQ(Settings.Show, 2);
}

// Every toggle, from a stored value: the tick, one empty and one ticked box
// shared by all six, shows exactly a 1, and the command turns an even value
// into 1 and an odd one into 0 and applies it.
class ToggleTest : public FrameWindowTest, public testing::WithParamInterface<int32_t> {};

// A bitmap of the check mark's size, read back as 32-bit pixels.
std::vector<uint32_t> CheckSizedPixels(HBITMAP bitmap) {
  const int width = GetSystemMetrics(SM_CXMENUCHECK), height = GetSystemMetrics(SM_CYMENUCHECK);
  BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  GetDIBits(FrameDC, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

constexpr std::pair<unsigned, const char*> TOGGLES[] = {
    {IDM_ALWAYS_ON_TOP, "AlwaysOnTheTop"}, {IDM_SHOW_ON_TASKBAR, "Taskbar"}, {IDM_TRAY_ICON, "TrayIcon"},
    {IDM_AUTOSTART, "AutoStart"},          {IDM_SPLASH, "Splash"},           {IDM_HINT, "Hint"}};

TEST_P(ToggleTest, TicksFollowTheSettingsAndEachToggleIsApplied) {
  const int32_t stored = GetParam(), toggled = (stored & 1) == 0 ? 1 : 0;
  for (const auto& [command, name] : TOGGLES) WriteDword(name, static_cast<DWORD>(stored));
  Start();
  // Both boxes are drawn, and differ: the ticked one has its tick.
  const MENUITEMINFOA boxes = CheckMarks(IDM_ALWAYS_ON_TOP);
  const std::vector<uint32_t> empty = CheckSizedPixels(boxes.hbmpUnchecked);
  EXPECT_NE(std::adjacent_find(empty.begin(), empty.end(), std::not_equal_to<>()), empty.end());
  EXPECT_NE(empty, CheckSizedPixels(boxes.hbmpChecked));
  for (const auto& [command, name] : TOGGLES) {
    const auto ticked = [&] { return (GetMenuState(ContextMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    const MENUITEMINFOA own = CheckMarks(command);
    EXPECT_TRUE(own.hbmpChecked == boxes.hbmpChecked && own.hbmpUnchecked == boxes.hbmpUnchecked) << name;
    // A tray icon shows for any value but 0, and loads as 1 then.
    EXPECT_EQ(ticked(), (command == IDM_TRAY_ICON ? stored != 0 : stored) == 1) << name;
    // The high word of wParam is a notification code, which is no part of the command.
    Send(WM_COMMAND, MAKEWPARAM(command, 1));
    EXPECT_EQ(ticked(), command == IDM_TRAY_ICON ? stored == 0 : toggled == 1) << name;
  }
  EXPECT_EQ(GetWindowLongA(FrameWindow, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_APPWINDOW),
            toggled == 1 ? WS_EX_TOPMOST | WS_EX_APPWINDOW : 0);
  EXPECT_TRUE(IsWindowVisible(FrameWindow)) << "a splash or hint toggle changes no window";
}

INSTANTIATE_TEST_SUITE_P(Stored, ToggleTest, testing::Values(0, 1, 2, -1));

// Chooses the path in the open dialog, then closes whatever dialog is left.
std::string ChosenPath;
void CALLBACK ChooseInDialog(HWND, UINT, UINT_PTR, DWORD) {
  static bool chosen = false;
  HWND dialog = FindWindowA("#32770", nullptr);
  if (!dialog) return;
  if (!std::exchange(chosen, true)) SetDlgItemTextA(dialog, cmb13, ChosenPath.c_str());
  PostMessageA(dialog, WM_COMMAND, chosen ? IDOK : IDCANCEL, 0);
}

// A file whose path the system takes but the buffer cannot: the dialog fails
// and may leave its needed size in the buffer. The next dialog opens on the
// last good name instead.
TEST_F(FrameWindowTest, AFailedDialogLeavesTheLastGoodNameForTheNext) {
  const ScratchFolder scratch("cherimo-long");
  const std::string folder = scratch.path.string() + "\\";
  ChosenPath = folder + std::string(258 - folder.size() - 4, 'n') + ".png";
  ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", ChosenPath.c_str(), FALSE));
  Start();
  lstrcpyA(FileNameBuffer, "C:\\last.png");
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, ChooseInDialog);
  Send(WM_COMMAND, IDM_SELECT_PHOTO);
  KillTimer(nullptr, timer);
  EXPECT_STREQ(FileNameBuffer, "C:\\last.png");
}

}  // namespace
