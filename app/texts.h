// Every name and text of the program's own, in one place.
#pragma once

#define TEXT_PRODUCT_NAME "Brivanta Cherimo"
#define TEXT_TAGLINE "Happy Valentine's Day!"
// The maker's home page: the menu's Visit item, the mail link and the About
// box's link all name this one address.
#define TEXT_HOME_PAGE "https://cherimo.brivanta.example/"

#ifndef RC_INVOKED
inline constexpr char TEXT_MUTEX_NAME[] = "QNV2005";
inline constexpr char TEXT_FRAME_CLASS[] = "BrivantaMainClass";
inline constexpr char TEXT_FRAME_TITLE[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_TRAY_TIP[] = TEXT_PRODUCT_NAME;
inline constexpr char TEXT_HIDDEN_START_SWITCH[] = "/a";
inline constexpr char TEXT_SETTINGS_KEY[] = "Software\\Brivanta\\Brivanta Cherimo";
inline constexpr char TEXT_IMAGE_RESOURCE_TYPE[] = "R";
inline constexpr char TEXT_TASKBAR_CREATED_MESSAGE[] = "TaskbarCreated";
#endif
