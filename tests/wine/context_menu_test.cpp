// The context menu as the system holds it, its ticks and its commands.
#include <set>
#include <string>
#include <vector>

#include "app/desktop_metrics.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

MENUITEMINFOA ItemAt(HMENU menu, UINT position, char (&caption)[256]) {
  MENUITEMINFOA info = {sizeof info, MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_CHECKMARKS};
  info.dwTypeData = caption;
  info.cch = sizeof caption;
  caption[0] = 0;
  EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info)) << position;
  return info;
}

std::string Item(const char* caption, unsigned id, bool box = false) {
  return std::string(caption).append("=").append(std::to_string(id)).append(box ? "[ ]" : "");
}

// A menu as lines: "-" for a separator, a caption and "=id", a submenu's caption
// and ">" with its items indented below, down to the given depth. An item with
// a check box of its own ends in "[ ]"; the boxes of all are kept in one set.
void Describe(HMENU menu, int depth, std::vector<std::string>& lines, std::set<std::pair<HBITMAP, HBITMAP>>& boxes,
              const std::string& indent = "") {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    char caption[256];
    const MENUITEMINFOA item = ItemAt(menu, static_cast<UINT>(position), caption);
    std::string line = indent + (item.fType & MFT_SEPARATOR ? "-" : item.hSubMenu ? std::string(caption) + ">" : Item(caption, item.wID));
    if (item.hbmpChecked && item.hbmpChecked != item.hbmpUnchecked) {
      line += "[ ]";
      boxes.insert({item.hbmpUnchecked, item.hbmpChecked});
    }
    lines.push_back(line);
    if (item.hSubMenu && depth > 1) Describe(item.hSubMenu, depth - 1, lines, boxes, indent + "  ");
  }
}

TEST_F(FrameWindowTest, TheContextMenuHoldsItsEntriesInOrderWithCheckBoxesAndFrameThumbnailsAndRunsOnlyItsCommands) {
  Start();
  std::vector<std::string> lines;
  std::set<std::pair<HBITMAP, HBITMAP>> boxes;
  Describe(ContextMenu, 2, lines, boxes);
  const std::vector<std::string> expected = {
      Item("&Minimize", IDM_MINIMIZE), "-", Item("&Always on the top", IDM_ALWAYS_ON_TOP, true),
      Item("&Show on Taskbar", IDM_SHOW_ON_TASKBAR, true), Item("Show &icon in Tray", IDM_TRAY_ICON, true), "-",
      Item("Autostart with Windows", IDM_AUTOSTART, true), "-", Item("Show sp&lash on start", IDM_SPLASH, true),
      Item("Show &hint window", IDM_HINT, true), "-", "Add Shortcut...>",
      Item("  to the Desktop", IDM_SHORTCUT_DESKTOP), Item("  to the Start Menu", IDM_SHORTCUT_START_MENU),
      Item("  to the Quick Launch", IDM_SHORTCUT_QUICK_LAUNCH), "-", Item("&Select Photo...", IDM_SELECT_PHOTO),
      "&Select Frame>", Item("  &Custom...", IDM_CUSTOM_FRAME), "  -", "  Cork>", "  Funny>", "  Marble>",
      "  Metal>", "  Rattan>", "  Wood>", "-", Item("&Visit " TEXT_HOME_PAGE, IDM_VISIT_HOME_PAGE),
      Item("&Tell your friends", IDM_TELL_FRIENDS), Item("About", IDM_ABOUT), "-", Item("E&xit", IDM_EXIT)};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(boxes.size(), 1u) << "one empty and one ticked box for all six";

  // Every frame, in order of its id, shows its picture and never a tick.
  HMENU frames = GetSubMenu(ContextMenu, 14);
  UINT nextId = FRAME_ID_FIRST;
  for (int group = 2; group < GetMenuItemCount(frames); ++group) {
    for (int position = 0; position < GetMenuItemCount(GetSubMenu(frames, group)); ++position) {
      char caption[256];
      const MENUITEMINFOA frame = ItemAt(GetSubMenu(frames, group), static_cast<UINT>(position), caption);
      EXPECT_TRUE(std::string(caption).starts_with(" - ") && frame.wID == nextId++ && frame.hbmpChecked &&
                  frame.hbmpChecked == frame.hbmpUnchecked) << caption;
    }
  }
  EXPECT_EQ(nextId, static_cast<UINT>(FRAME_ID_LAST + 1));

  // A thumbnail is its frame on the menu colour averaged to the check mark size.
  const int32_t frameId = 2019;  // the funny heart: artwork, both keys, a curved outline
  MENUITEMINFOA info = {sizeof info, MIIM_CHECKMARKS};
  ASSERT_TRUE(GetMenuItemInfoA(ContextMenu, frameId, FALSE, &info));
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

  // A frame's command shows it; other ids do nothing, and bit 15 is no part of a command.
  for (WPARAM command : {2042u, 0u, 1999u, 2091u, 5011u, 7000u}) Send(WM_COMMAND, command);
  EXPECT_EQ(Settings.FrameID, 2042);
  EXPECT_TRUE(IsWindowVisible(FrameWindow));
  Send(WM_COMMAND, IDM_MINIMIZE | 0x8000);
  EXPECT_EQ(Settings.Show, 2);
}

// Every toggle, from a stored value: the tick shows exactly a 1, the command
// turns an even value into 1 and an odd one into 0, applies it, and the end
// of the run stores it.
class ToggleTest : public FrameWindowTest, public testing::WithParamInterface<int32_t> {};

constexpr std::pair<unsigned, const char*> TOGGLES[] = {
    {IDM_ALWAYS_ON_TOP, "AlwaysOnTheTop"}, {IDM_SHOW_ON_TASKBAR, "Taskbar"}, {IDM_TRAY_ICON, "TrayIcon"},
    {IDM_AUTOSTART, "AutoStart"},          {IDM_SPLASH, "Splash"},           {IDM_HINT, "Hint"}};

TEST_P(ToggleTest, TicksFollowTheSettingsAndEachToggleIsAppliedAndStored) {
  const int32_t stored = GetParam(), toggled = (stored & 1) == 0 ? 1 : 0;
  for (const auto& [command, name] : TOGGLES) WriteDword(name, static_cast<DWORD>(stored));
  Start();
  for (const auto& [command, name] : TOGGLES) {
    const auto ticked = [&] { return (GetMenuState(ContextMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    // A tray icon shows for any value but 0, and loads as 1 then.
    EXPECT_EQ(ticked(), (command == IDM_TRAY_ICON ? stored != 0 : stored) == 1) << name;
    // The high word of wParam is a notification code, which is no part of the command.
    Send(WM_COMMAND, MAKEWPARAM(command, 1));
    EXPECT_EQ(ticked(), command == IDM_TRAY_ICON ? stored == 0 : toggled == 1) << name;
  }
  EXPECT_EQ(GetWindowLongA(FrameWindow, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_APPWINDOW),
            toggled == 1 ? WS_EX_TOPMOST | WS_EX_APPWINDOW : 0);
  EXPECT_TRUE(IsWindowVisible(FrameWindow)) << "a splash or hint toggle changes no window";
  WriteSettingsAtEnd();
  for (const auto& [command, name] : TOGGLES) EXPECT_EQ(StoredDword(name), command == IDM_TRAY_ICON ? stored == 0 : toggled) << name;
}

INSTANTIATE_TEST_SUITE_P(Stored, ToggleTest, testing::Values(0, 1, 2, -1));

}  // namespace
