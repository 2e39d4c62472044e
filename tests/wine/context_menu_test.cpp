// The context menu's frame thumbnails, its ticks and its commands.

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "framewindow/context_menu.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

// An item's own picture, its check-mark bitmaps and its state.
MENUITEMINFOA ItemPictures(unsigned command) {
  MENUITEMINFOA info = {sizeof info, MIIM_BITMAP | MIIM_CHECKMARKS | MIIM_STATE};
  EXPECT_TRUE(GetMenuItemInfoA(ContextMenu, command, FALSE, &info)) << command;
  return info;
}

// Over every byte of the pixels, the fourth too.
int LargestChannelDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  const auto *x = reinterpret_cast<const uint8_t*>(a.data()), *y = reinterpret_cast<const uint8_t*>(b.data());
  int largest = 0;
  for (size_t i = 0; i < 4 * a.size(); ++i) largest = std::max(largest, std::abs(x[i] - y[i]));
  return largest;
}

// Every frame's thumbnail is its frame on the menu colour area averaged to the
// size, within 2 levels a channel of averaging the frame itself, at the menu's
// check-mark size and every size from 8 to 64: from the generator's sheets at
// their sizes, from the frames at the others. A frame item gets its thumbnail
// when its group first opens, as its own 32-bit picture with every pixel
// opaque, and the menu ticks the frame on show itself. A frame's command shows
// the frame, other ids do nothing, and bit 15 is no part of a command.
TEST_F(FrameWindowTest, EveryFrameItemShowsItsThumbnailAndOnlyTheMenusCommandsRun) {
  Start();
  const SIZE check = MenuCheckSize();
  const COLORREF menu = DesktopMetrics.menuColour;
  std::vector<std::pair<SIZE, uint32_t>> cases = {
      {check, static_cast<uint32_t>(GetRValue(menu) << 16 | GetGValue(menu) << 8 | GetBValue(menu))}};
  constexpr uint32_t MENU_PIXELS[] = {0x00D4D0C8, 0, 0x00FFFFFF, 0x00F0F0F0};
  for (int side = 8; side <= 64; ++side) cases.push_back({{side, side}, MENU_PIXELS[side % 4]});
  std::vector<std::vector<uint32_t>> frames, shown(FRAME_COUNT);
  for (int i = 0; i < FRAME_COUNT; ++i) {
    ASSERT_TRUE(DecodeImage(static_cast<ImageSource>(FRAME_ID_FIRST + i), FrameDC));
    frames.emplace_back(LoaderPixels, LoaderPixels + static_cast<size_t>(LoaderWidth) * LoaderHeight);
  }
  const int side = LoaderWidth;
  for (const auto& [size, menuPixel] : cases) {
    std::vector<uint32_t> made[FRAME_COUNT];
    uint32_t* pixels[FRAME_COUNT];
    for (int i = 0; i < FRAME_COUNT; ++i) {
      made[i].assign(static_cast<size_t>(size.cx) * size.cy, 0xDEADBEEF);
      pixels[i] = made[i].data();
    }
    DrawFrameThumbnails(size.cx, size.cy, menuPixel, pixels);
    for (int i = 0; i < FRAME_COUNT; ++i) {
      ASSERT_EQ(pixels[i], made[i].data()) << FRAME_ID_FIRST + i;
      std::vector<uint32_t> onMenu = frames[i], average(made[i].size());
      ReplaceKeyColors(onMenu.data(), side, side, menuPixel);
      ASSERT_TRUE(AreaAverageWhole(onMenu.data(), side, side, average.data(), size.cx, size.cy));
      EXPECT_LE(LargestChannelDifference(made[i], average), 2) << FRAME_ID_FIRST + i << " at " << size.cx;
      if (shown[i].empty()) shown[i] = made[i];
    }
  }
  EXPECT_EQ(ItemPictures(FRAME_ID_FIRST).hbmpItem, nullptr) << "no thumbnail before its group opens";
  const std::function<void(HMENU)> openEverySubmenu = [&](HMENU parent) {
    for (int item = GetMenuItemCount(parent) - 1; item >= 0; --item) {
      if (HMENU submenu = GetSubMenu(parent, item)) {
        Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), item);
        openEverySubmenu(submenu);
      }
    }
  };
  const auto ticked = [](int32_t frame) { return (ItemPictures(frame).fState & MFS_CHECKED) != 0; };
  const int32_t startFrame = Settings->FrameID;
  ASSERT_NE(startFrame, FRAME_ID_FIRST);
  openEverySubmenu(ContextMenu);
  for (int i = 0; i < FRAME_COUNT; ++i) {
    const MENUITEMINFOA info = ItemPictures(FRAME_ID_FIRST + i);
    EXPECT_EQ(std::pair(info.hbmpChecked, info.hbmpUnchecked), std::pair(HBITMAP{}, HBITMAP{}));
    EXPECT_EQ(ticked(FRAME_ID_FIRST + i), FRAME_ID_FIRST + i == startFrame);
    DIBSECTION thumbnail = {};
    ASSERT_EQ(GetObjectA(info.hbmpItem, sizeof thumbnail, &thumbnail), static_cast<int>(sizeof thumbnail));
    ASSERT_EQ(std::tuple(thumbnail.dsBm.bmWidth, thumbnail.dsBm.bmHeight, thumbnail.dsBm.bmBitsPixel),
              std::tuple(check.cx, check.cy, WORD{32}));
    const uint32_t* bits = static_cast<const uint32_t*>(thumbnail.dsBm.bmBits);
    std::vector<uint32_t> opaque = shown[i];
    for (uint32_t& pixel : opaque) pixel |= 0xFF000000;
    EXPECT_EQ(std::vector<uint32_t>(bits, bits + opaque.size()), opaque);
  }
  // On a monitor of twice the scale the thumbnails take its check-mark size
  // when the menu opens there.
  RECT twice = {0, 0, 2 * Placed().width, 2 * Placed().height};
  const int dpi = 2 * FrameDpi;
  Send(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&twice));
  PrepareContextMenu();
  openEverySubmenu(ContextMenu);
  for (unsigned command : {unsigned{FRAME_ID_FIRST}, unsigned{FRAME_ID_LAST}}) {
    BITMAP picture = {};
    GetObjectA(ItemPictures(command).hbmpItem, sizeof picture, &picture);
    EXPECT_EQ(std::pair(picture.bmWidth, picture.bmHeight),
              std::pair(LONG{SystemMetricForDpi(SM_CXMENUCHECK, dpi)}, LONG{SystemMetricForDpi(SM_CYMENUCHECK, dpi)}))
        << command;
  }

  for (WPARAM command : {2000u, 0u, 1999u, 2091u, 5011u, 7000u}) Send(WM_COMMAND, command);
  EXPECT_EQ(Settings->FrameID, FRAME_ID_FIRST);
  openEverySubmenu(ContextMenu);
  EXPECT_EQ(std::pair(ticked(FRAME_ID_FIRST), ticked(startFrame)), std::pair(true, false)) << "the tick follows";
  EXPECT_TRUE(IsWindowVisible(FrameWindow));
  Send(WM_COMMAND, IDM_MINIMIZE | 0x8000);
  EXPECT_EQ(ProgramSettings.Show, 2);
  EXPECT_EQ(GetMenuItemCount(ContextMenu), 24) << "the menu's entries and nothing past them";
}

// Every toggle, from a stored value: the menu's own tick, with no bitmaps of
// the program's, shows exactly a 1, and the command turns an even value into
// 1 and an odd one into 0 and applies it.
class ToggleTest : public FrameWindowTest, public testing::WithParamInterface<int32_t> {};

constexpr std::pair<unsigned, const char*> TOGGLES[] = {
    {IDM_ALWAYS_ON_TOP, "AlwaysOnTheTop"}, {IDM_SHOW_ON_TASKBAR, "Taskbar"}, {IDM_TRAY_ICON, "TrayIcon"},
    {IDM_AUTOSTART, "AutoStart"},          {IDM_SPLASH, "Splash"},           {IDM_HINT, "Hint"}};

TEST_P(ToggleTest, TicksFollowTheSettingsAndEachToggleIsApplied) {
  const int32_t stored = GetParam(), toggled = (stored & 1) == 0 ? 1 : 0;
  for (const auto& [command, name] : TOGGLES) WriteDword(name, static_cast<DWORD>(stored));
  Start();
  for (const auto& [command, name] : TOGGLES) {
    const auto ticked = [&] {
      PrepareContextMenu();
      return (GetMenuState(ContextMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    const MENUITEMINFOA own = ItemPictures(command);
    EXPECT_TRUE(!own.hbmpChecked && !own.hbmpUnchecked && !own.hbmpItem) << name;
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

}  // namespace
