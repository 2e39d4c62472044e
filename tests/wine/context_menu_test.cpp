// The context menu as the system holds it, its ticks and its toggle commands.
#include <algorithm>
#include <string>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/shell_recorder.h"

namespace {

struct ItemSeen {
  UINT id = 0, type = 0;
  std::string caption;
  HMENU submenu = nullptr;
  HBITMAP unchecked = nullptr, checked = nullptr;
};

ItemSeen ItemAt(HMENU menu, UINT position) {
  char caption[256] = {};
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_CHECKMARKS;
  info.dwTypeData = caption;
  info.cch = sizeof caption;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << position;
  return {info.wID, info.fType, caption, info.hSubMenu, info.hbmpUnchecked, info.hbmpChecked};
}

bool Ticked(unsigned command) { return (GetMenuState(ContextMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; }

class ContextMenuTest : public FrameWindowTest {};

// A separator has neither id nor caption; a submenu a caption and no id.
struct Expected {
  unsigned id;
  const char* caption;
};

constexpr Expected TOP_LEVEL[] = {
    {IDM_MINIMIZE, "&Minimize"},
    {0, nullptr},
    {IDM_ALWAYS_ON_TOP, "&Always on the top"},
    {IDM_SHOW_ON_TASKBAR, "&Show on Taskbar"},
    {IDM_TRAY_ICON, "Show &icon in Tray"},
    {0, nullptr},
    {IDM_AUTOSTART, "Autostart with Windows"},
    {0, nullptr},
    {IDM_SPLASH, "Show sp&lash on start"},
    {IDM_HINT, "Show &hint window"},
    {0, nullptr},
    {0, "Add Shortcut..."},
    {0, nullptr},
    {IDM_SELECT_PHOTO, "&Select Photo..."},
    {0, "&Select Frame"},
    {0, nullptr},
    {IDM_VISIT_HOME_PAGE, "&Visit " TEXT_HOME_PAGE},
    {IDM_TELL_FRIENDS, "&Tell your friends"},
    {IDM_ABOUT, "About"},
    {0, nullptr},
    {IDM_EXIT, "E&xit"},
};

constexpr unsigned TOGGLES[] = {IDM_ALWAYS_ON_TOP, IDM_SHOW_ON_TASKBAR, IDM_TRAY_ICON,
                                IDM_AUTOSTART,     IDM_SPLASH,          IDM_HINT};

TEST_F(ContextMenuTest, HoldsItsEntriesInOrderWithCheckBoxesAndFrameThumbnails) {
  Start();
  ASSERT_EQ(GetMenuItemCount(ContextMenu), 21);
  std::vector<ItemSeen> top;
  for (UINT i = 0; i < 21; ++i) top.push_back(ItemAt(ContextMenu, i));
  for (size_t i = 0; i < top.size(); ++i) {
    const Expected& expected = TOP_LEVEL[i];
    EXPECT_EQ((top[i].type & MFT_SEPARATOR) != 0, expected.caption == nullptr) << i;
    if (!expected.caption) continue;
    EXPECT_EQ(top[i].caption, expected.caption) << i;
    EXPECT_EQ(top[i].submenu != nullptr, expected.id == 0) << i;
    if (expected.id) {
      EXPECT_EQ(top[i].id, expected.id) << i;
    }
    const bool toggle = std::find(std::begin(TOGGLES), std::end(TOGGLES), expected.id) != std::end(TOGGLES);
    EXPECT_EQ(top[i].checked != nullptr, toggle) << i;
    if (toggle) {
      EXPECT_EQ(top[i].unchecked, top[2].unchecked) << "one empty box for all six";
      EXPECT_EQ(top[i].checked, top[2].checked) << "one ticked box for all six";
      EXPECT_NE(top[i].checked, top[i].unchecked);
    }
  }

  HMENU shortcuts = top[11].submenu;
  const Expected places[] = {{IDM_SHORTCUT_DESKTOP, "to the Desktop"},
                             {IDM_SHORTCUT_START_MENU, "to the Start Menu"},
                             {IDM_SHORTCUT_QUICK_LAUNCH, "to the Quick Launch"}};
  ASSERT_EQ(GetMenuItemCount(shortcuts), 3);
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(ItemAt(shortcuts, i).id, places[i].id);
    EXPECT_EQ(ItemAt(shortcuts, i).caption, places[i].caption);
  }

  HMENU frames = top[14].submenu;
  ASSERT_EQ(GetMenuItemCount(frames), 8);
  EXPECT_EQ(ItemAt(frames, 0).id, IDM_CUSTOM_FRAME);
  EXPECT_EQ(ItemAt(frames, 0).caption, "&Custom...");
  EXPECT_TRUE(ItemAt(frames, 1).type & MFT_SEPARATOR);
  const std::pair<const char*, const char*> groups[] = {{"Cork", " - Circle"},   {"Funny", " - Apple"},
                                                        {"Marble", " - Circle"}, {"Metal", " - Circle"},
                                                        {"Rattan", " - Circle"}, {"Wood", " - Circle"}};
  UINT nextId = FRAME_ID_FIRST;
  for (UINT g = 0; g < 6; ++g) {
    const ItemSeen group = ItemAt(frames, g + 2);
    EXPECT_EQ(group.caption, groups[g].first);
    ASSERT_NE(group.submenu, nullptr);
    EXPECT_EQ(ItemAt(group.submenu, 0).caption, groups[g].second);
    for (int i = 0, count = GetMenuItemCount(group.submenu); i < count; ++i) {
      const ItemSeen frame = ItemAt(group.submenu, static_cast<UINT>(i));
      EXPECT_EQ(frame.id, nextId++);
      EXPECT_NE(frame.checked, nullptr) << frame.id << " has a thumbnail";
      EXPECT_EQ(frame.checked, frame.unchecked) << frame.id << " shows its picture, never a tick";
    }
  }
  EXPECT_EQ(nextId, static_cast<UINT>(FRAME_ID_LAST + 1));
}

// The exact area average of a picture onto w × h, with fractional coverage.
std::vector<double> ExactAverage(const uint32_t* pixels, int width, int height, int w, int h, int shift) {
  std::vector<double> out(static_cast<size_t>(w) * h);
  const double sx = static_cast<double>(width) / w, sy = static_cast<double>(height) / h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      double sum = 0;
      for (int v = static_cast<int>(y * sy); v < height && v < (y + 1) * sy; ++v) {
        const double cover_y = std::min<double>(v + 1, (y + 1) * sy) - std::max<double>(v, y * sy);
        for (int u = static_cast<int>(x * sx); u < width && u < (x + 1) * sx; ++u) {
          const double cover_x = std::min<double>(u + 1, (x + 1) * sx) - std::max<double>(u, x * sx);
          sum += cover_x * cover_y * ((pixels[v * width + u] >> shift) & 0xFF);
        }
      }
      out[static_cast<size_t>(y) * w + x] = sum / (sx * sy);
    }
  }
  return out;
}

TEST_F(ContextMenuTest, AThumbnailIsTheAreaAverageOfItsFrameOnTheMenuColour) {
  Start();
  const int32_t frameId = 2019;  // the funny heart: artwork, both keys, a curved outline
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_CHECKMARKS;
  ASSERT_TRUE(GetMenuItemInfoA(ContextMenu, frameId, FALSE, &info));
  DIBSECTION thumbnail = {};
  ASSERT_EQ(GetObjectA(info.hbmpChecked, sizeof thumbnail, &thumbnail), static_cast<int>(sizeof thumbnail));
  const int w = GetSystemMetrics(SM_CXMENUCHECK), h = GetSystemMetrics(SM_CYMENUCHECK);
  ASSERT_EQ(thumbnail.dsBm.bmWidth, w);
  ASSERT_EQ(thumbnail.dsBm.bmHeight, h);
  const uint32_t* seen = static_cast<const uint32_t*>(thumbnail.dsBm.bmBits);

  ASSERT_TRUE(DecodeImage(frameId, FrameDC));
  const COLORREF menu = DesktopMetrics.menuColour;
  ReplaceKeyColors(LoaderPixels, LoaderWidth, LoaderHeight,
                   GetRValue(menu) << 16 | GetGValue(menu) << 8 | GetBValue(menu));
  for (int shift : {0, 8, 16}) {
    const std::vector<double> exact = ExactAverage(LoaderPixels, LoaderWidth, LoaderHeight, w, h, shift);
    for (size_t i = 0; i < exact.size(); ++i) {
      EXPECT_NEAR((seen[i] >> shift) & 0xFF, exact[i], 1.0) << "pixel " << i << ", channel at bit " << shift;
    }
  }
}

// Every toggle, from a stored value: the tick shows exactly a 1, the command
// turns an even value into 1 and an odd one into 0, applies it, and the end
// of the run stores it.
class ToggleTest : public ContextMenuTest, public testing::WithParamInterface<int32_t> {};

struct ToggleCase {
  unsigned command;
  const char* name;
  int32_t SettingsTable::*setting;
};

constexpr ToggleCase TOGGLE_CASES[] = {
    {IDM_ALWAYS_ON_TOP, "AlwaysOnTheTop", &SettingsTable::AlwaysOnTheTop},
    {IDM_SHOW_ON_TASKBAR, "Taskbar", &SettingsTable::Taskbar},
    {IDM_TRAY_ICON, "TrayIcon", &SettingsTable::TrayIcon},
    {IDM_AUTOSTART, "AutoStart", &SettingsTable::AutoStart},
    {IDM_SPLASH, "Splash", &SettingsTable::Splash},
    {IDM_HINT, "Hint", &SettingsTable::Hint},
};

TEST_P(ToggleTest, TicksFollowTheSettingsAndEachToggleIsAppliedAndStored) {
  const int32_t stored = GetParam();
  for (const ToggleCase& toggle : TOGGLE_CASES) WriteDword(toggle.name, static_cast<DWORD>(stored));
  Start();
  for (const ToggleCase& toggle : TOGGLE_CASES) {
    // A tray icon shows for any value but 0, and loads as 1 then.
    const int32_t loaded = toggle.command == IDM_TRAY_ICON ? stored != 0 : stored;
    const int32_t toggled = (loaded & 1) == 0 ? 1 : 0;
    EXPECT_EQ(Ticked(toggle.command), loaded == 1) << toggle.name;
    // The high word of wParam is a notification code, which is no part of the command.
    Send(WM_COMMAND, MAKEWPARAM(toggle.command, 1));
    EXPECT_EQ(Settings.*toggle.setting, toggled) << toggle.name;
    EXPECT_EQ(Ticked(toggle.command), toggled == 1) << toggle.name;
  }
  const int32_t toggled = (stored & 1) == 0 ? 1 : 0;
  EXPECT_EQ((GetWindowLongA(FrameWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, toggled == 1);
  EXPECT_EQ((GetWindowLongA(FrameWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, toggled == 1);
  EXPECT_TRUE(IsWindowVisible(FrameWindow)) << "a splash or hint toggle changes no window";
  WriteSettingsAtEnd();
  for (const ToggleCase& toggle : TOGGLE_CASES) EXPECT_EQ(StoredDword(toggle.name), Settings.*toggle.setting);
}

INSTANTIATE_TEST_SUITE_P(Stored, ToggleTest, testing::Values(0, 1, 2, -1));

TEST_F(ContextMenuTest, FrameCommandsShowTheirFrameAndOtherIdsDoNothing) {
  Start();
  Send(WM_COMMAND, 2042);
  EXPECT_EQ(Settings.FrameID, 2042);
  for (WPARAM other : {0u, 1999u, 2091u, 5011u, 7000u}) Send(WM_COMMAND, other);
  EXPECT_EQ(Settings.FrameID, 2042);
  EXPECT_TRUE(IsWindowVisible(FrameWindow));
  Send(WM_COMMAND, IDM_MINIMIZE | 0x8000);
  EXPECT_EQ(Settings.Show, 2) << "bit 15 is dropped";
}

// The shell looks protocols up in the real HKEY_CURRENT_USER: the stand-in
// for browser and mail program is registered there before the redirection.
class ShellCommandTest : public ContextMenuTest {
 protected:
  void SetUp() override {
    if (!RegisterShellRecorder()) GTEST_SKIP() << "runs only in the project's private Wine prefix";
    ContextMenuTest::SetUp();
  }
  void TearDown() override {
    ContextMenuTest::TearDown();
    UnregisterShellRecorder();
  }
};

TEST_F(ShellCommandTest, TheHomePageAndTheMailLinkReachTheShellAsWritten) {
  Start();
  ClearRecordedOpens();
  Send(WM_COMMAND, IDM_VISIT_HOME_PAGE);
  Send(WM_COMMAND, IDM_TELL_FRIENDS);
  const std::vector<std::string> expected = {
      "https://cherimo.brivanta.example/",
      "mailto:?subject=Happy Valentine's Day!&body=Hi,%0D%0A%0D%0AI have just spotted a very cute proggie!%0D%0A"
      "It's called Brivanta Cherimo%0D%0Aand it can be downloaded%0D%0Afrom https://cherimo.brivanta.example/."
      "%0D%0A%0D%0AYou are going to love it!%0D%0A%0D%0ACheers,%0D%0A"};
  std::vector<std::string> opens = WaitForRecordedOpens(2);
  std::sort(opens.begin(), opens.end());  // two programs started at once may record in either order
  EXPECT_EQ(opens, expected);
}

}  // namespace
