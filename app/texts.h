// Every name and text of the program's own, in one place.
#pragma once

#define TEXT_PRODUCT_NAME "Brivanta Cherimo"
#define TEXT_TAGLINE "Happy Valentine's Day!"
// The maker's home page: the menu's Visit item, the mail link and the About
// box's link all name this one address, the build setting CHERIMO_HOME_PAGE.
#include "home_page.h"
#define TEXT_HOME_PAGE CHERIMO_HOME_PAGE

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
inline constexpr char TEXT_SPLASH_CLASS[] = "BrivantaSplashClass";
inline constexpr char TEXT_FRAME_TITLE[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_TRAY_TIP[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_HIDDEN_START_SWITCH[] = "/a";
inline constexpr char TEXT_SETTINGS_KEY[] = "Software\\Brivanta\\Brivanta Cherimo";
// Each ornament after the first keeps its values in a subkey: "Ornament 2" and on.
inline constexpr char TEXT_ORNAMENT_KEY_PREFIX[] = "Ornament ";
inline constexpr char TEXT_IMAGE_RESOURCE_TYPE[] = "R";
inline constexpr char TEXT_TASKBAR_CREATED_MESSAGE[] = "TaskbarCreated";

// Autostart: the Run value, and the mark Task Manager leaves on an entry
// the user has switched off.
inline constexpr char TEXT_RUN_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char TEXT_RUN_VALUE[] = TEXT_PRODUCT_NAME;
inline constexpr wchar_t TEXT_RUN_VALUE_WIDE[] = L"" TEXT_PRODUCT_NAME;
inline constexpr char TEXT_STARTUP_APPROVED_RUN_KEY[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// Shortcuts: the folders named under Shell Folders, and what is appended.
inline constexpr char TEXT_SHELL_FOLDERS_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char TEXT_SHELL_FOLDER_DESKTOP[] = "Desktop";
inline constexpr char TEXT_SHELL_FOLDER_PROGRAMS[] = "Programs";
inline constexpr char TEXT_SHELL_FOLDER_APP_DATA[] = "AppData";
inline constexpr char TEXT_QUICK_LAUNCH_SUBFOLDER[] = "\\Microsoft\\Internet Explorer\\Quick Launch";
inline constexpr char TEXT_SHORTCUT_FILE_SUFFIX[] = "\\" TEXT_PRODUCT_NAME ".lnk";
inline constexpr char TEXT_SHORTCUT_DESCRIPTION[] = TEXT_PRODUCT_NAME;

// The context menu.
inline constexpr char TEXT_MENU_MINIMIZE[] = "&Minimize";
inline constexpr char TEXT_MENU_RESTORE[] = "&Restore";
inline constexpr char TEXT_MENU_ALWAYS_ON_TOP[] = "&Always on the top";
inline constexpr char TEXT_MENU_SHOW_ON_TASKBAR[] = "&Show on Taskbar";
inline constexpr char TEXT_MENU_TRAY_ICON[] = "Show &icon in Tray";
inline constexpr char TEXT_MENU_AUTOSTART[] = "Autostart with Windows";
inline constexpr char TEXT_MENU_SPLASH[] = "Show sp&lash on start";
inline constexpr char TEXT_MENU_HINT[] = "Show &hint window";
inline constexpr char TEXT_MENU_ADD_SHORTCUT[] = "Add Shortcut...";
inline constexpr char TEXT_MENU_SHORTCUT_DESKTOP[] = "to the Desktop";
inline constexpr char TEXT_MENU_SHORTCUT_START_MENU[] = "to the Start Menu";
inline constexpr char TEXT_MENU_SHORTCUT_QUICK_LAUNCH[] = "to the Quick Launch";
inline constexpr char TEXT_MENU_SELECT_PHOTO[] = "&Select Photo...";
inline constexpr char TEXT_MENU_SLIDESHOW[] = "Sli&deshow";
inline constexpr char TEXT_MENU_SLIDES_FOLDER[] = "Photos from &Folder...";
inline constexpr char TEXT_MENU_SLIDES_NEXT[] = "&Next Photo\tRight";
inline constexpr char TEXT_MENU_SLIDES_PREVIOUS[] = "&Previous Photo\tLeft";
// In the order of the intervals.
inline constexpr const char* TEXT_MENU_SLIDES_INTERVALS[] = {
    "Every &10 Seconds", "Every &Minute", "Every &5 Minutes", "Every &30 Minutes", "Every &Hour", "Only When I &Ask"};
inline constexpr char TEXT_MENU_SLIDES_RANDOM[] = "In &Random Order";
inline constexpr char TEXT_MENU_SLIDES_STOP[] = "&Stop Slideshow";
inline constexpr char TEXT_FOLDER_DIALOG_TITLE[] = "Choose a folder of photos:";
inline constexpr char TEXT_MENU_SELECT_FRAME[] = "&Select Frame";
inline constexpr char TEXT_MENU_NEW_ORNAMENT[] = "&New Ornament";
inline constexpr char TEXT_MENU_CLOSE_ORNAMENT[] = "&Close Ornament";
inline constexpr char TEXT_MENU_CUSTOM_FRAME[] = "&Custom...";
inline constexpr char TEXT_MENU_FRAME_PREFIX[] = " - ";
inline constexpr char TEXT_MENU_VISIT_HOME_PAGE[] = "&Visit " TEXT_HOME_PAGE;
inline constexpr char TEXT_MENU_TELL_FRIENDS[] = "&Tell your friends";
inline constexpr char TEXT_MENU_ABOUT[] = "About";
inline constexpr char TEXT_MENU_EXIT[] = "E&xit";

// The open dialog: its title and its filter, pairs of description and
// pattern; the pictures' patterns are the decoders' extensions, found at run time.
inline constexpr char TEXT_OPEN_DIALOG_TITLE[] = "Choose photo...";
inline constexpr char TEXT_FRAME_DIALOG_TITLE[] = "Choose frame...";
inline constexpr char TEXT_OPEN_DIALOG_PICTURES[] = "Pictures";
inline constexpr char TEXT_OPEN_DIALOG_ANY_FILE[] = "Any file (*.*)\0*.*\0";
// Pictures that the imaging component does not list: OLE draws the metafiles.
inline constexpr char TEXT_EXTRA_PICTURE_EXTENSIONS[] = ".emf;.wmf;.ico";

// Handed to the mail program as it stands: only the line breaks are encoded.
#define TEXT_MAIL_LINE_BREAK "%0D%0A"
inline constexpr char TEXT_MAIL_LINK[] =
    "mailto:?subject=" TEXT_TAGLINE "&body="
    "Hi," TEXT_MAIL_LINE_BREAK TEXT_MAIL_LINE_BREAK
    "I have just spotted a very cute proggie!" TEXT_MAIL_LINE_BREAK
    "It's called " TEXT_PRODUCT_NAME TEXT_MAIL_LINE_BREAK
    "and it can be downloaded" TEXT_MAIL_LINE_BREAK
    "from " TEXT_HOME_PAGE "." TEXT_MAIL_LINE_BREAK TEXT_MAIL_LINE_BREAK
    "You are going to love it!" TEXT_MAIL_LINE_BREAK TEXT_MAIL_LINE_BREAK
    "Cheers," TEXT_MAIL_LINE_BREAK;

inline constexpr char TEXT_LINK_FONT[] = "Tahoma";

// The notice that says why a photo, frame or folder the user chose cannot be
// shown. In the patterns %1 is the file's or folder's name, %2 the reason,
// %3 the number of files given at once; in the reasons %4 x %5 the size.
inline constexpr char TEXT_NOTICE_CLASS[] = "BrivantaNoticeClass";
inline constexpr wchar_t TEXT_NOTICE_FONT[] = L"Tahoma";
inline constexpr char TEXT_NOTICE_PHOTO[] = "Cannot show \"%1\": %2.";
inline constexpr char TEXT_NOTICE_FRAME[] = "Cannot use \"%1\" as a frame: %2.";
inline constexpr char TEXT_NOTICE_FOLDER[] = "Cannot show the photos in \"%1\": %2.";
inline constexpr char TEXT_NOTICE_SET[] = "None of the %3 files can be shown. \"%1\": %2.";
inline constexpr char TEXT_NOTICE_NOT_A_FRAME[] =
    "a frame is a picture whose outside is pure green (0, 255, 0), with a hole of pure magenta (255, 0, 255) "
    "where the photo shows";
// By the Refusal's number; a folder that is not found is not reachable either.
inline constexpr const char* TEXT_NOTICE_REASONS[] = {
    "",
    "there is no such file",
    "the file could not be read",
    "it is not a picture",
    "the picture is damaged",
    "the picture is too large (%4 x %5 pixels; at most 64 megapixels are taken)",
    "its path is too long (at most 259 characters are taken)",
    TEXT_NOTICE_NOT_A_FRAME,
    "there are no pictures in it",
    "the folder cannot be reached",
    "the file did not answer within 10 seconds",
};
// Too large, with no size known: a file of 4 GB or more, or out of memory.
inline constexpr char TEXT_NOTICE_TOO_LARGE_FILE[] = "the file is too large";
inline constexpr char TEXT_NOTICE_SHORTCUT_EXISTS[] = "A shortcut named \"" TEXT_PRODUCT_NAME "\" is already %1.";
// By the shortcut's place, desktop first.
inline constexpr const char* TEXT_NOTICE_SHORTCUT_PLACES[] = {"on the Desktop", "in the Start menu",
                                                               "in the Quick Launch bar"};
#endif
