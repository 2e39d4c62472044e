#include "framewindow/context_menu.h"

#include <algorithm>
#include <iterator>

#include "app/desktop_metrics.h"
#include "app/display_scale.h"
#include "app/ids.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "desktop/shortcuts.h"
#include "framewindow/frame_catalogue.h"
#include "framewindow/slideshow.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/owned_handle.h"
#include "imaging/reduce.h"

HMENU ContextMenu;

namespace {

// The menus and their pictures live as long as the process.
OwnedMenu ContextMenuOwner;
OwnedBitmap FrameThumbnails[FRAME_COUNT];
// The check-mark size the menu was built for: its groups' thumbnails are made
// at it when each first opens.
SIZE ThumbnailSize;

struct CheckItem {
  unsigned command;
  int32_t SettingsTable::*setting;
  bool programWide;  // else the ornament's whose menu it is
};

constexpr CheckItem CHECK_ITEMS[] = {
    {IDM_ALWAYS_ON_TOP, &SettingsTable::AlwaysOnTheTop, false},
    {IDM_SHOW_ON_TASKBAR, &SettingsTable::Taskbar, true},
    {IDM_TRAY_ICON, &SettingsTable::TrayIcon, true},
    {IDM_AUTOSTART, &SettingsTable::AutoStart, true},
    {IDM_SPLASH, &SettingsTable::Splash, true},
    {IDM_HINT, &SettingsTable::Hint, true},
    {IDM_SLIDES_RANDOM, &SettingsTable::SlideRandom, false},
};

struct MenuEntry {
  unsigned command;  // 0: a separator, or the submenu below
  const char* caption;
  HMENU* submenu;
};

struct FrameMenuBuild {
  HMENU selectFrameMenu;
  HMENU groupMenu;
};

uint32_t PixelOf(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

// The sheet that the picture generator made for this size: both halves of
// every frame's thumbnail, so the menu colour is mixed in without decoding a
// single frame.
int DrawFromSheet(int width, int height, uint32_t menuPixel, uint32_t* const* thumbnails) {
  if (width != height || std::ranges::count(FRAME_THUMBNAIL_SHEET_SIZES, width) == 0 ||
      !DecodeImage(FRAME_THUMBNAILS_ID_BASE + static_cast<ImageSource>(width), FrameDC) ||
      LoaderWidth != FRAME_COUNT * width || LoaderHeight != 2 * height) {
    return 0;
  }
  for (int i = 0; i < FRAME_COUNT; ++i) {
    for (int y = 0; thumbnails[i] && y < height; ++y) {
      const uint32_t* art = LoaderPixels + static_cast<size_t>(y) * LoaderWidth + static_cast<size_t>(i) * width;
      MixKeyShare(art, art + static_cast<size_t>(height) * LoaderWidth, thumbnails[i] + y * width, width, menuPixel);
    }
  }
  return 1;
}

void AddFrameGroup(void* context, const char* name, int32_t, uint32_t) {
  FrameMenuBuild& build = *static_cast<FrameMenuBuild*>(context);
  build.groupMenu = CreateMenu();
  AppendMenuA(build.selectFrameMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(build.groupMenu), name);
}

void AddFrame(void* context, int32_t id, const char* name) {
  FrameMenuBuild& build = *static_cast<FrameMenuBuild*>(context);
  char caption[128];
  constexpr int prefixLength = sizeof TEXT_MENU_FRAME_PREFIX - 1;
  lstrcpyA(caption, TEXT_MENU_FRAME_PREFIX);
  lstrcpynA(caption + prefixLength, name, sizeof caption - prefixLength);
  AppendMenuA(build.groupMenu, MF_STRING, static_cast<UINT_PTR>(id), caption);
}

HMENU BuildSelectFrameMenu() {
  FrameMenuBuild build = {CreateMenu(), nullptr};
  AppendMenuA(build.selectFrameMenu, MF_STRING, IDM_CUSTOM_FRAME, TEXT_MENU_CUSTOM_FRAME);
  AppendMenuA(build.selectFrameMenu, MF_SEPARATOR, 0, nullptr);
  WalkFrameCatalogue(FrameCatalogue.data(), FrameCatalogue.size(), {&build, AddFrameGroup, AddFrame});
  return build.selectFrameMenu;
}

HMENU AddShortcutMenu;
HMENU SlideshowMenu;
constexpr int SLIDE_INTERVAL_COUNT = static_cast<int>(std::size(SLIDE_INTERVALS));

HMENU BuildSlideshowMenu() {
  HMENU menu = SlideshowMenu = CreateMenu();
  AppendMenuA(menu, MF_STRING, IDM_SLIDES_FOLDER, TEXT_MENU_SLIDES_FOLDER);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_SLIDES_NEXT, TEXT_MENU_SLIDES_NEXT);
  AppendMenuA(menu, MF_STRING, IDM_SLIDES_PREVIOUS, TEXT_MENU_SLIDES_PREVIOUS);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  for (int i = 0; i < SLIDE_INTERVAL_COUNT; ++i) {
    AppendMenuA(menu, MF_STRING, IDM_SLIDES_INTERVAL_FIRST + i, TEXT_MENU_SLIDES_INTERVALS[i]);
  }
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_SLIDES_RANDOM, TEXT_MENU_SLIDES_RANDOM);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_SLIDES_STOP, TEXT_MENU_SLIDES_STOP);
  return menu;
}

// Next and Previous while the slideshow has a source that shows; its interval as a radio choice.
void RefreshSlideMenu() {
  const UINT stepping = MF_BYCOMMAND | (SlideshowCanStep() ? MF_ENABLED : MF_GRAYED);
  for (const unsigned command : {IDM_SLIDES_NEXT, IDM_SLIDES_PREVIOUS}) EnableMenuItem(SlideshowMenu, command, stepping);
  EnableMenuItem(SlideshowMenu, IDM_SLIDES_STOP, MF_BYCOMMAND | (SlideshowOn() ? MF_ENABLED : MF_GRAYED));
  int choice = 0;
  while (choice < SLIDE_INTERVAL_COUNT - 1 && SLIDE_INTERVALS[choice] != Settings->SlideInterval) ++choice;
  CheckMenuRadioItem(SlideshowMenu, IDM_SLIDES_INTERVAL_FIRST, IDM_SLIDES_INTERVAL_FIRST + SLIDE_INTERVAL_COUNT - 1,
                     IDM_SLIDES_INTERVAL_FIRST + choice, MF_BYCOMMAND);
}

HMENU BuildAddShortcutMenu() {
  HMENU menu = AddShortcutMenu = CreateMenu();
  AppendMenuA(menu, MF_STRING, IDM_SHORTCUT_DESKTOP, TEXT_MENU_SHORTCUT_DESKTOP);
  AppendMenuA(menu, MF_STRING, IDM_SHORTCUT_START_MENU, TEXT_MENU_SHORTCUT_START_MENU);
  AppendMenuA(menu, MF_STRING, IDM_SHORTCUT_QUICK_LAUNCH, TEXT_MENU_SHORTCUT_QUICK_LAUNCH);
  return menu;
}

void AppendEntries(HMENU menu, const MenuEntry* entries, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const MenuEntry& entry = entries[i];
    if (entry.submenu) {
      AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(*entry.submenu), entry.caption);
    } else if (entry.command == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu, MF_STRING, entry.command, entry.caption);
    }
  }
}

}  // namespace

// Wine's HALFTONE interpolates a 256-pixel frame down to a few pixels and
// aliases; the program's own area average gives the same picture everywhere.
// Sizes without a sheet decode the frames asked for.
void DrawFrameThumbnails(int width, int height, uint32_t menuPixel, uint32_t* thumbnails[FRAME_COUNT]) {
  if (DrawFromSheet(width, height, menuPixel, thumbnails)) return;
  for (int i = 0; i < FRAME_COUNT; ++i) {
    if (!thumbnails[i]) continue;
    if (!DecodeImage(static_cast<ImageSource>(FRAME_ID_FIRST + i), FrameDC)) {
      thumbnails[i] = nullptr;
      continue;
    }
    ReplaceKeyColors(LoaderPixels, LoaderWidth, LoaderHeight, menuPixel);
    if (!AreaAverageWhole(LoaderPixels, LoaderWidth, LoaderHeight, thumbnails[i], width, height)) {
      thumbnails[i] = nullptr;
    }
  }
}

SIZE MenuCheckSize() {
  return {SystemMetricForDpi(SM_CXMENUCHECK, FrameDpi), SystemMetricForDpi(SM_CYMENUCHECK, FrameDpi)};
}

void BuildContextMenu(SIZE checkSize) {
  HMENU selectFrameMenu = BuildSelectFrameMenu();
  HMENU addShortcutMenu = BuildAddShortcutMenu();
  HMENU slideshowMenu = BuildSlideshowMenu();
  const MenuEntry entries[] = {
      {IDM_MINIMIZE, TEXT_MENU_MINIMIZE, nullptr},
      {},
      {IDM_ALWAYS_ON_TOP, TEXT_MENU_ALWAYS_ON_TOP, nullptr},
      {IDM_SHOW_ON_TASKBAR, TEXT_MENU_SHOW_ON_TASKBAR, nullptr},
      {IDM_TRAY_ICON, TEXT_MENU_TRAY_ICON, nullptr},
      {},
      {IDM_AUTOSTART, TEXT_MENU_AUTOSTART, nullptr},
      {},
      {IDM_SPLASH, TEXT_MENU_SPLASH, nullptr},
      {IDM_HINT, TEXT_MENU_HINT, nullptr},
      {},
      {0, TEXT_MENU_ADD_SHORTCUT, &addShortcutMenu},
      {},
      {IDM_SELECT_PHOTO, TEXT_MENU_SELECT_PHOTO, nullptr},
      {0, TEXT_MENU_SLIDESHOW, &slideshowMenu},
      {0, TEXT_MENU_SELECT_FRAME, &selectFrameMenu},
      {IDM_NEW_ORNAMENT, TEXT_MENU_NEW_ORNAMENT, nullptr},
      {IDM_CLOSE_ORNAMENT, TEXT_MENU_CLOSE_ORNAMENT, nullptr},
      {},
      {IDM_VISIT_HOME_PAGE, TEXT_MENU_VISIT_HOME_PAGE, nullptr},
      {IDM_TELL_FRIENDS, TEXT_MENU_TELL_FRIENDS, nullptr},
      {IDM_ABOUT, TEXT_MENU_ABOUT, nullptr},
      {},
      {IDM_EXIT, TEXT_MENU_EXIT, nullptr},
  };
  ContextMenuOwner.Reset(ContextMenu = CreatePopupMenu());
  AppendEntries(ContextMenu, entries, sizeof entries / sizeof entries[0]);
  SizeMenuPictures(checkSize);
}

// The thumbnails go and are made again at the new size as their groups open.
void SizeMenuPictures(SIZE checkSize) {
  ThumbnailSize = checkSize;
  for (OwnedBitmap& thumbnail : FrameThumbnails) thumbnail.Reset(nullptr);
}

// A frame item shows its thumbnail beside its caption, and the frame on show
// takes the menu's own tick; a frame that cannot be drawn keeps a plain text
// item. Menus alpha-blend 32-bit item pictures, so each pixel is made opaque.
void MsgInitMenuPopup(HMENU popup) {
  // Newer Windows has no Quick Launch folder.
  if (popup == AddShortcutMenu) {
    const bool there = ShortcutFolderExists(SHORTCUT_QUICK_LAUNCH);
    EnableMenuItem(popup, IDM_SHORTCUT_QUICK_LAUNCH, MF_BYCOMMAND | (there ? MF_ENABLED : MF_GRAYED));
    return;
  }
  SetMenuCheck(popup, IDM_CUSTOM_FRAME, Settings->FrameID == FRAME_ID_CUSTOM);
  uint32_t* pixels[FRAME_COUNT] = {};
  int made[FRAME_COUNT], count = 0;
  for (int item = GetMenuItemCount(popup) - 1; item >= 0; --item) {
    const int32_t id = static_cast<int32_t>(GetMenuItemID(popup, item));
    const int i = id - FRAME_ID_FIRST;
    if (i < 0 || i >= FRAME_COUNT) continue;
    SetMenuCheck(popup, static_cast<unsigned>(id), id == Settings->FrameID);
    if (FrameThumbnails[i].handle) continue;
    BITMAPINFO header;
    FrameThumbnails[i].Reset(CreateDib32(ThumbnailSize.cx, ThumbnailSize.cy, &header, &pixels[i]));
    if (FrameThumbnails[i].handle) made[count++] = i;
    else pixels[i] = nullptr;
  }
  if (count == 0) return;
  DrawFrameThumbnails(ThumbnailSize.cx, ThumbnailSize.cy, PixelOf(DesktopMetrics.menuColour), pixels);
  for (int n = 0; n < count; ++n) {
    const int i = made[n];
    if (pixels[i]) {
      for (int p = 0; p < ThumbnailSize.cx * ThumbnailSize.cy; ++p) pixels[i][p] |= 0xFF000000;
    } else {
      FrameThumbnails[i].Reset(nullptr);
    }
    MENUITEMINFOA picture = {sizeof picture, MIIM_BITMAP};
    picture.hbmpItem = FrameThumbnails[i].handle;
    SetMenuItemInfoA(popup, static_cast<UINT>(FRAME_ID_FIRST + i), FALSE, &picture);
  }
}

void SetMenuCheck(HMENU menu, unsigned command, int32_t value) {
  CheckMenuItem(menu, command, MF_BYCOMMAND | (value == 1 ? MF_CHECKED : MF_UNCHECKED));
}

namespace {

// While the window is put away, the first item brings it back; the ticks
// and greyed items are the program's and this ornament's.
void RefreshMenuChecks() {
  const bool away = ProgramSettings.Show == 2;
  ModifyMenuA(ContextMenu, 0, MF_BYPOSITION | MF_STRING, away ? IDM_RESTORE : IDM_MINIMIZE,
              away ? TEXT_MENU_RESTORE : TEXT_MENU_MINIMIZE);
  for (const CheckItem& item : CHECK_ITEMS) {
    SetMenuCheck(ContextMenu, item.command, (item.programWide ? ProgramSettings : *Settings).*item.setting);
  }
  EnableMenuItem(ContextMenu, IDM_NEW_ORNAMENT,
                 MF_BYCOMMAND | (OrnamentCount < ORNAMENTS_MAX ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(ContextMenu, IDM_CLOSE_ORNAMENT, MF_BYCOMMAND | (OrnamentCount > 1 ? MF_ENABLED : MF_GRAYED));
  RefreshSlideMenu();
}

}  // namespace

// The menu is the program's: it shows the ticks of the ornament it opens
// for, and pictures at that ornament's scale.
void PrepareContextMenu() {
  const SIZE checkSize = MenuCheckSize();
  if (checkSize.cx != ThumbnailSize.cx || checkSize.cy != ThumbnailSize.cy) SizeMenuPictures(checkSize);
  RefreshMenuChecks();
}

void MsgContextMenu() {
  PrepareContextMenu();
  POINT cursor;
  GetCursorPos(&cursor);
  const BOOL command =
      TrackPopupMenu(ContextMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, FrameWindow, nullptr);
  SendMessageA(FrameWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
}
