// Ornaments stored as the program stores them, for the benchmarks that start
// it with several: the first in the program's key, each further one in its
// subkey, laid out in rows of eight.
#pragma once
#include <windows.h>

#include <string>

#include "app/texts.h"

// A value of ornament `number` (1 for the first).
inline void StoreOrnamentValue(int number, const char* name, DWORD type, const void* data, DWORD size) {
  char key[sizeof TEXT_SETTINGS_KEY + sizeof TEXT_ORNAMENT_KEY_PREFIX + 4];
  if (number > 1) {
    wsprintfA(key, "%s\\%s%d", TEXT_SETTINGS_KEY, TEXT_ORNAMENT_KEY_PREFIX, number);
  } else {
    lstrcpyA(key, TEXT_SETTINGS_KEY);
  }
  RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, data, size);
}

inline void StoreOrnamentNumber(int number, const char* name, DWORD value) {
  StoreOrnamentValue(number, name, REG_DWORD, &value, sizeof value);
}

// `count` ornaments of `side` pixels from (left, top), in rows of eight; an
// empty photo or folder leaves the built-in one.
inline void StoreOrnaments(int count, int left, int top, int side, const std::string& photo = "",
                           const std::string& slideFolder = "") {
  RegDeleteTreeA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY);
  StoreOrnamentNumber(1, "Splash", 0);
  for (int number = 1; number <= count; ++number) {
    StoreOrnamentNumber(number, "X1", static_cast<DWORD>(left + (number - 1) % 8 * (side + 8)));
    StoreOrnamentNumber(number, "Y1", static_cast<DWORD>(top + (number - 1) / 8 * (side + 8)));
    StoreOrnamentNumber(number, "W1", static_cast<DWORD>(side));
    StoreOrnamentNumber(number, "H1", static_cast<DWORD>(side));
    if (!photo.empty()) StoreOrnamentValue(number, "Photo", REG_SZ, photo.c_str(), static_cast<DWORD>(photo.size() + 1));
    if (!slideFolder.empty()) {
      StoreOrnamentValue(number, "SlideFolder", REG_SZ, slideFolder.c_str(), static_cast<DWORD>(slideFolder.size() + 1));
      StoreOrnamentNumber(number, "SlideInterval", 10);
    }
  }
}
