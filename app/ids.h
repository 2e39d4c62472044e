// Every number the parts share: private messages, command ids, resource ids,
// frame ids and the tray icon id.
#pragma once
#include <cstdint>

// An image source travels as a pointer-sized value: 1 to 0xFFFF is the id of
// an "R" resource, anything larger the address of a zero-terminated path.
using ImageSource = uintptr_t;
constexpr ImageSource IMAGE_SOURCE_MAX_RESOURCE_ID = 0xFFFF;

// Private messages of the frame window (WM_USER + 666 ...).
enum : unsigned {
  MSG_RECOMPOSE = 1690,
  MSG_SET_PHOTO = 1691,
  MSG_SET_FRAME = 1692,
  MSG_TRAY_NOTIFY = 1693,
  MSG_SET_TRAY_ICON = 1694,
  MSG_SET_TOPMOST = 1695,
  MSG_SET_AUTOSTART = 1696,
  MSG_SET_TASKBAR = 1697,
  MSG_SET_SHOW_STATE = 1698,
  MSG_RESIZE_STEP = 1699,
  // Closes the ornament whose window it reaches, unless it is the only one.
  MSG_CLOSE_ORNAMENT = 1687,
  // From the picture worker: wParam a kind of picture work, done.
  MSG_PICTURE_READY = 1689,
  // Answers 1 while pictures asked for are not yet in place, else 0: for
  // whoever waits on the program's pictures, a test or a benchmark.
  MSG_PICTURES_PENDING = 1688,
};

// Private messages of the splash and hint window: it composes on MSG_RECOMPOSE
// like the frame window; the main thread queues these two to its thread.
enum : unsigned {
  MSG_ENTER_HINT_MODE = 1700,
  MSG_SHOW_HINT = 1701,  // wParam 1 shows the hint without activating it, 0 hides it
};

// The frame window's timers: while the hint shows, one looks for the cursor;
// while a slideshow runs, the other changes the photo every interval.
constexpr uintptr_t HINT_TIMER_ID = 666;
constexpr unsigned HINT_TIMER_PERIOD_MS = 100;
constexpr uintptr_t SLIDE_TIMER_ID = 667;
// While the shell refuses the tray icon (at log-on, before Explorer is up),
// a third asks it again.
constexpr uintptr_t TRAY_RETRY_TIMER_ID = 669;
constexpr unsigned TRAY_RETRY_PERIOD_MS = 5000;
// While picture work is under way, a fourth looks for work that takes too long.
constexpr uintptr_t PICTURE_WATCH_TIMER_ID = 671;
constexpr unsigned PICTURE_WATCH_PERIOD_MS = 1000;
// While recompositions come faster than icons are made (a drag), a fifth
// makes the icon of the latest one.
constexpr uintptr_t ICON_TIMER_ID = 672;

// The splash window's timer: a quick start-up still shows the splash for a
// while from its first paint before it turns into the hint.
constexpr uintptr_t SPLASH_TIMER_ID = 668;
constexpr unsigned SPLASH_SHOWN_MS = 1500;

// The notice window's timer: a notice goes after this long, or at a click.
constexpr uintptr_t NOTICE_TIMER_ID = 669;
constexpr unsigned NOTICE_SHOWN_MS = 5000;

// Menu commands.
enum : unsigned {
  IDM_MINIMIZE = 5010,
  IDM_RESTORE = 5011,  // in the first item's place while the window is put away
  IDM_ALWAYS_ON_TOP = 5020,
  IDM_SHOW_ON_TASKBAR = 5021,
  IDM_TRAY_ICON = 5022,
  IDM_AUTOSTART = 5030,
  IDM_SPLASH = 5040,
  IDM_HINT = 5041,
  IDM_SHORTCUT_DESKTOP = 5050,
  IDM_SHORTCUT_START_MENU = 5051,
  IDM_SHORTCUT_QUICK_LAUNCH = 5052,
  IDM_SELECT_PHOTO = 5060,
  IDM_SLIDES_FOLDER = 5061,
  IDM_SLIDES_NEXT = 5062,
  IDM_SLIDES_PREVIOUS = 5063,
  IDM_SLIDES_RANDOM = 5064,
  IDM_SLIDES_STOP = 5065,
  // One item per slideshow interval, in the menu's order.
  IDM_SLIDES_INTERVAL_FIRST = 5100,
  IDM_CUSTOM_FRAME = 5070,
  IDM_NEW_ORNAMENT = 5071,
  IDM_CLOSE_ORNAMENT = 5072,
  IDM_ABOUT = 5080,
  IDM_EXIT = 5090,
  IDM_VISIT_HOME_PAGE = 6001,
  IDM_TELL_FRIENDS = 6002,
};

// Resources.
constexpr unsigned IDI_PROGRAM = 100;
constexpr unsigned IDD_ABOUT = 200;
constexpr ImageSource HINT_PICTURE_ID = 1997;
constexpr ImageSource SPLASH_PICTURE_ID = 1998;
constexpr ImageSource DEFAULT_PHOTO_ID = 1999;

// Built-in frames.
constexpr int32_t FRAME_ID_FIRST = 2000;
constexpr int32_t FRAME_ID_LAST = 2090;
constexpr int32_t FRAME_ID_DEFAULT = 2008;
constexpr int32_t FRAME_ID_CUSTOM = -1;

// The menu's thumbnails of the built-in frames, made by the picture generator
// for the check-mark sizes of the common display scales (Wine's at 96 DPI,
// Windows' at 96 DPI and at 120, which is Wine's at 144): one "R" picture per
// size, its id this base plus the size. Other sizes are made from the frames.
constexpr ImageSource FRAME_THUMBNAILS_ID_BASE = 2100;
constexpr int FRAME_THUMBNAIL_SHEET_SIZES[] = {11, 15, 19};

constexpr unsigned TRAY_ICON_ID = 4000;

// The tag of the WM_COPYDATA by which a second start hands its photo path to
// the running copy: the data is the path with its terminating zero.
constexpr uintptr_t COPYDATA_PHOTO_PATH = 0x43485031;
// ... and several paths at once: each full path with its zero, then one more zero.
constexpr uintptr_t COPYDATA_PHOTO_PATHS = 0x43485032;

// The link control's own message: wParam is the LINK_ state to draw, lParam 1
// redraws even when the state stays.
constexpr unsigned MSG_LINK_STATE = 1026;
enum : unsigned {
  LINK_NORMAL = 1,
  LINK_PRESSED = 2,
  LINK_HOVER = 3,
};

// Controls of the About box (resources/about.rc names the same numbers).
enum : int {
  IDC_ABOUT_LINK = 1666,
  IDC_ABOUT_NOTICE = 1700,
  IDC_ABOUT_ICON = 1701,
  IDC_ABOUT_GROUP = 1702,
  IDC_SHORTCUTS_GROUP = 1703,
  IDC_SHORTCUTS_KEYS = 1704,
  IDC_SHORTCUTS_MOUSE = 1705,
};

// The placeholder photo surface made when the frame window is created.
constexpr int PLACEHOLDER_PHOTO_WIDTH = 87;
constexpr int PLACEHOLDER_PHOTO_HEIGHT = 127;
