// The settings in the registry. Value names are listed once, in the order in
// which they are read and written. A failed read leaves the value in memory as
// it was, so the built-in value (or the one already held) stands.
#include "app/settings.h"

#include <windows.h>

#include "app/settings_rules.h"
#include "app/texts.h"

SettingsTable Settings = BUILT_IN_SETTINGS;
ImageSource StartFrame = FRAME_ID_DEFAULT;
ImageSource StartPhoto = DEFAULT_PHOTO_ID;

namespace {

struct NumberEntry {
  const char* name;
  int32_t SettingsTable::*value;
};

constexpr NumberEntry NUMBER_ENTRIES[] = {
    {"X1", &SettingsTable::X1},
    {"Y1", &SettingsTable::Y1},
    {"W1", &SettingsTable::W1},
    {"H1", &SettingsTable::H1},
    {"AlwaysOnTheTop", &SettingsTable::AlwaysOnTheTop},
    {"Taskbar", &SettingsTable::Taskbar},
    {"Show", &SettingsTable::Show},
    {"TrayIcon", &SettingsTable::TrayIcon},
    {"AutoStart", &SettingsTable::AutoStart},
    {"Splash", &SettingsTable::Splash},
    {"Hint", &SettingsTable::Hint},
    {"W2", &SettingsTable::W2},
    {"H2", &SettingsTable::H2},
    {"W3", &SettingsTable::W3},
    {"H3", &SettingsTable::H3},
    {"X2", &SettingsTable::X2},
    {"Y2", &SettingsTable::Y2},
    {"FrameID", &SettingsTable::FrameID},
};

struct StringEntry {
  const char* name;
  char (SettingsTable::*value)[SETTINGS_PATH_SIZE];
};

constexpr StringEntry STRING_ENTRIES[] = {
    {"Path", &SettingsTable::Path},
    {"Photo", &SettingsTable::Photo},
    {"Frame", &SettingsTable::Frame},
};

void WriteNumber(HKEY key, const NumberEntry& entry) {
  const DWORD value = static_cast<DWORD>(Settings.*entry.value);
  RegSetValueExA(key, entry.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Only a value of exactly four bytes is taken: a shorter one would leave
// bytes of the old value behind.
void ReadNumber(HKEY key, const NumberEntry& entry) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, entry.name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
      size == sizeof value) {
    Settings.*entry.value = static_cast<int32_t>(value);
  }
}

void WriteString(HKEY key, const StringEntry& entry) {
  const char* text = Settings.*entry.value;
  RegSetValueExA(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text));
}

// Read into a scratch buffer first: a value that does not fit may leave any
// bytes behind, and the string keeps what it held.
void ReadString(HKEY key, const StringEntry& entry) {
  char value[SETTINGS_PATH_SIZE];
  DWORD size = sizeof value;
  if (RegQueryValueExA(key, entry.name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      TerminateStringValue(value, sizeof value, size)) {
    lstrcpynA(Settings.*entry.value, value, SETTINGS_PATH_SIZE);
  }
}

}  // namespace

int PathExists(const char* path) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FindClose(search);
  return 1;
}

void SyncSettings(int save) {
  StartFrame = FRAME_ID_DEFAULT;
  StartPhoto = DEFAULT_PHOTO_ID;

  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      &disposition) == ERROR_SUCCESS) {
    const bool saving = save == 1 || disposition == REG_CREATED_NEW_KEY;
    if (saving) {
      for (const NumberEntry& entry : NUMBER_ENTRIES) WriteNumber(key, entry);
      for (const StringEntry& entry : STRING_ENTRIES) WriteString(key, entry);
    } else {
      Settings.Photo[0] = '\0';
      Settings.Frame[0] = '\0';
      for (const NumberEntry& entry : NUMBER_ENTRIES) ReadNumber(key, entry);
      for (const StringEntry& entry : STRING_ENTRIES) ReadString(key, entry);
      StartFrame = ChooseStartFrame(Settings.FrameID, Settings.Frame, PathExists);
      StartPhoto = ChooseStartPhoto(Settings.Photo, PathExists);
    }
    RegCloseKey(key);
  }
  TrimToExistingFolder(Settings.Path, PathExists);
}
