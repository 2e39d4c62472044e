// Every name and text of the program's own, in one place.
#pragma once

#define TEXT_PRODUCT_NAME "Brivanta Cherimo"
#define TEXT_TAGLINE "Happy Valentine's Day!"
// The maker's home page: the menu's Visit item, the mail link and the About
// box's link all name this one address.
#define TEXT_HOME_PAGE "https://cherimo.brivanta.example/"

// The About box. Lines are split by a bare line feed and columns by tabs.
#define TEXT_LINK_CLASS "BrivantaLinkClass"
#define TEXT_ABOUT_TITLE "About " TEXT_PRODUCT_NAME
#define TEXT_DIALOG_FONT "MS Shell Dlg"
#define TEXT_ABOUT_NOTICE TEXT_PRODUCT_NAME " 0.1, (c) 2026\nby Brivanta, drawn with cairo"
#define TEXT_SHORTCUTS_CAPTION "Keyboard && mouse shortcuts"
#define TEXT_SHORTCUTS_KEYS                        \
  "F1\t- Shows this box\n"                         \
  "ESC\t- Minimizes the window\n"                  \
  "+\t- Increases the size of the frame\n"         \
  "-\t- Decreases the size of the frame\n"         \
  "PgUp\t- Previous frame\n"                       \
  "PgDn\t- Next frame"
#define TEXT_SHORTCUTS_MOUSE                       \
  "mouse WHEEL\t\t- resizes the frame\n"           \
  "CTRL + LEFT mouse button\t- moves the photo\n"  \
  "SHIFT + LEFT mouse button\t- resizes the photo"

#ifndef RC_INVOKED
inline constexpr char TEXT_MUTEX_NAME[] = "QNV2005";
inline constexpr char TEXT_FRAME_CLASS[] = "BrivantaMainClass";
inline constexpr char TEXT_FRAME_TITLE[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_TRAY_TIP[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_HIDDEN_START_SWITCH[] = "/a";
inline constexpr char TEXT_SETTINGS_KEY[] = "Software\\Brivanta\\Brivanta Cherimo";
inline constexpr char TEXT_IMAGE_RESOURCE_TYPE[] = "R";
inline constexpr char TEXT_TASKBAR_CREATED_MESSAGE[] = "TaskbarCreated";
inline constexpr char TEXT_LINK_FONT[] = "Tahoma";
#endif
