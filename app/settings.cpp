// The settings in the registry. Value names are listed once, in the order in
// which they are read and written. A failed read leaves the value in memory as
// it was, so the built-in value (or the one already held) stands.
#include "app/settings.h"

#include <windows.h>

#include <iterator>

#include "app/settings_rules.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "imaging/heap_array.h"

SettingsTable Settings = BUILT_IN_SETTINGS;
SlideFilesStore SlideFiles;
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
    {"SlideInterval", &SettingsTable::SlideInterval},
    {"SlideRandom", &SettingsTable::SlideRandom},
};

// Paths are read and written through the wide calls: the narrow ones would
// take the program's UTF-8 for the system's code page.
struct StringEntry {
  const wchar_t* name;
  char (SettingsTable::*value)[PATH_BUFFER_SIZE];
};

constexpr StringEntry STRING_ENTRIES[] = {
    {L"Path", &SettingsTable::Path},
    {L"Photo", &SettingsTable::Photo},
    {L"Frame", &SettingsTable::Frame},
    {L"SlideFolder", &SettingsTable::SlideFolder},
};

constexpr wchar_t SLIDE_FILES_NAME[] = L"SlideFiles";
// The stored set in UTF-16: every path of at most WIDE_PATH_SIZE units with its zero, then one more zero.
constexpr size_t SLIDE_FILES_UNITS_MAX = static_cast<size_t>(SLIDES_MAX) * WIDE_PATH_SIZE + 1;

void WriteNumber(HKEY key, const NumberEntry& entry) {
  const DWORD value = static_cast<DWORD>(Settings.*entry.value);
  RegSetValueExA(key, entry.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Only a number of exactly four bytes is taken: a shorter one would leave
// bytes of the old value behind, and a string of three characters (four
// bytes with its zero) is no number.
void ReadNumber(HKEY key, const NumberEntry& entry) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, entry.name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof value) {
    Settings.*entry.value = static_cast<int32_t>(value);
  }
}

// A stored path too long for Windows or not in the code page's form (another
// tool's, or a damaged registry's) is not shown, but it is not lost either:
// it stays in the registry until the program has a path of its own to store.
bool LeftInRegistry[std::size(STRING_ENTRIES)];

void WriteString(HKEY key, const StringEntry& entry, bool& leftInRegistry) {
  const char* text = Settings.*entry.value;
  wchar_t value[WIDE_PATH_SIZE];
  if ((leftInRegistry && text[0] == '\0') || !WidenPath(text, value, WIDE_PATH_SIZE)) return;
  RegSetValueExW(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(lstrlenW(value) * sizeof(wchar_t)));
  leftInRegistry = false;
}

// Read into a scratch buffer first: a value that does not fit may leave any
// units behind, and the string keeps what it held.
void ReadString(HKEY key, const StringEntry& entry, bool& leftInRegistry) {
  wchar_t value[WIDE_PATH_SIZE];
  char text[PATH_BUFFER_SIZE];
  DWORD size = sizeof value;
  DWORD type = REG_NONE;
  const LSTATUS status = RegQueryValueExW(key, entry.name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  if (status == ERROR_SUCCESS && size % sizeof(wchar_t) == 0 &&
      TerminateStringValue(value, WIDE_PATH_SIZE, size / sizeof(wchar_t)) && NarrowPath(value, text, sizeof text)) {
    lstrcpynA(Settings.*entry.value, text, PATH_BUFFER_SIZE);
  } else if (type == REG_SZ && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) {
    leftInRegistry = true;
  }
}

// No set, no value: a set from an earlier run must not come back. The
// packed paths convert whole, their zeros with them.
void WriteSlideFiles(HKEY key) {
  HeapArray<wchar_t> units;
  const size_t count = SlideFiles.size > 0 && units.Allocate(SLIDE_FILES_UNITS_MAX)
                           ? Utf8ToUtf16(SlideFiles.bytes, SlideFiles.size, units.data, units.count)
                           : 0;
  if (count == 0) {
    RegDeleteValueW(key, SLIDE_FILES_NAME);
    return;
  }
  RegSetValueExW(key, SLIDE_FILES_NAME, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(units.data),
                 static_cast<DWORD>(count * sizeof(wchar_t)));
}

void ReadSlideFiles(HKEY key) {
  HeapArray<wchar_t> units;
  DWORD size = static_cast<DWORD>(SLIDE_FILES_UNITS_MAX * sizeof(wchar_t));
  DWORD type = REG_NONE;
  const bool read = units.Allocate(SLIDE_FILES_UNITS_MAX) &&
                    RegQueryValueExW(key, SLIDE_FILES_NAME, nullptr, &type, reinterpret_cast<BYTE*>(units.data),
                                     &size) == ERROR_SUCCESS;
  SlideFiles.size = read && type == REG_MULTI_SZ
                        ? Utf16ToUtf8(units.data, size / sizeof(wchar_t), SlideFiles.bytes, sizeof SlideFiles.bytes)
                        : 0;
}

SettingsTable StoredPhotoView;
bool StoredPhotoViewKept = false;

// The photo's own size is not kept: it is read from the picture once it is back.
void CopyPhotoView(SettingsTable& to, const SettingsTable& from) {
  to.W3 = from.W3;
  to.H3 = from.H3;
  to.X2 = from.X2;
  to.Y2 = from.Y2;
}

}  // namespace

void SetAsideStoredPhotoView() {
  StoredPhotoViewKept = true;
  CopyPhotoView(StoredPhotoView, Settings);
  CopyPhotoView(Settings, BUILT_IN_SETTINGS);
}

void ForgetStoredPhotoView() { StoredPhotoViewKept = false; }

namespace {

int HasPath(const char* path) { return path[0] != '\0'; }

}  // namespace

int PathExists(const char* path) {
  wchar_t wide[WIDE_PATH_SIZE];
  WIN32_FIND_DATAW found;
  if (!WidenPath(path, wide, WIDE_PATH_SIZE)) return 0;
  const HANDLE search = FindFirstFileW(wide, &found);
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
      if (StoredPhotoViewKept) CopyPhotoView(Settings, StoredPhotoView);
      for (const NumberEntry& entry : NUMBER_ENTRIES) WriteNumber(key, entry);
      for (size_t i = 0; i < std::size(STRING_ENTRIES); ++i) WriteString(key, STRING_ENTRIES[i], LeftInRegistry[i]);
      WriteSlideFiles(key);
    } else {
      Settings.Photo[0] = '\0';
      Settings.Frame[0] = '\0';
      for (const NumberEntry& entry : NUMBER_ENTRIES) ReadNumber(key, entry);
      for (size_t i = 0; i < std::size(STRING_ENTRIES); ++i) ReadString(key, STRING_ENTRIES[i], LeftInRegistry[i]);
      ReadSlideFiles(key);
      KeepLoadedSettingsInRange(Settings);
      // Whether the stored files are there is the picture worker's to find: a
      // drive gone offline must not hold start-up up. One that is missing
      // gives way to the default as one that does not decode does.
      StartFrame = ChooseStartFrame(Settings.FrameID, Settings.Frame, HasPath);
      StartPhoto = ChooseStartPhoto(Settings.Photo, HasPath);
    }
    RegCloseKey(key);
  }
  TrimToExistingFolder(Settings.Path, PathExists);
}
