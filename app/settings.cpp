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

// Set from the built-in values when they are loaded: a table of built-in
// values in the exe's data would be a second copy of BUILT_IN_SETTINGS.
SettingsTable ProgramSettings;
OrnamentStore* Stored;
SettingsTable* Settings;
SlideFilesStore* SlideFiles;

void SelectOrnamentStore(OrnamentStore* store) {
  Stored = store;
  Settings = store ? &store->values : nullptr;
  SlideFiles = store ? &store->slideFiles : nullptr;
}

namespace {

struct NumberEntry {
  const char* name;
  int32_t SettingsTable::*value;
  bool programWide;  // kept in the program's key only
};

constexpr NumberEntry NUMBER_ENTRIES[] = {
    {"X1", &SettingsTable::X1},
    {"Y1", &SettingsTable::Y1},
    {"W1", &SettingsTable::W1},
    {"H1", &SettingsTable::H1},
    {"AlwaysOnTheTop", &SettingsTable::AlwaysOnTheTop},
    {"Taskbar", &SettingsTable::Taskbar, true},
    {"Show", &SettingsTable::Show, true},
    {"TrayIcon", &SettingsTable::TrayIcon, true},
    {"AutoStart", &SettingsTable::AutoStart, true},
    {"Splash", &SettingsTable::Splash, true},
    {"Hint", &SettingsTable::Hint, true},
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

constexpr StringEntry STRING_ENTRIES[STRING_SETTING_COUNT] = {
    {L"Path", &SettingsTable::Path},
    {L"Photo", &SettingsTable::Photo},
    {L"Frame", &SettingsTable::Frame},
    {L"SlideFolder", &SettingsTable::SlideFolder},
};

constexpr wchar_t SLIDE_FILES_NAME[] = L"SlideFiles";
// The stored set in UTF-16: every path of at most WIDE_PATH_SIZE units with its zero, then one more zero.
constexpr size_t SLIDE_FILES_UNITS_MAX = static_cast<size_t>(SLIDES_MAX) * WIDE_PATH_SIZE + 1;

void WriteNumber(HKEY key, const NumberEntry& entry, const SettingsTable& table) {
  const DWORD value = static_cast<DWORD>(table.*entry.value);
  RegSetValueExA(key, entry.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

// Only a number of exactly four bytes is taken: a shorter one would leave
// bytes of the old value behind, and a string of three characters (four
// bytes with its zero) is no number.
int ReadNumber(HKEY key, const NumberEntry& entry, SettingsTable& table) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, entry.name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof value) {
    table.*entry.value = static_cast<int32_t>(value);
    return 1;
  }
  return 0;
}

// A stored path too long for Windows or not in the code page's form (another
// tool's, or a damaged registry's) is not shown, but it is not lost either:
// it stays in the registry until the program has a path of its own to store.
void WriteString(HKEY key, const StringEntry& entry, const SettingsTable& table, bool& leftInRegistry) {
  const char* text = table.*entry.value;
  wchar_t value[WIDE_PATH_SIZE];
  if ((leftInRegistry && text[0] == '\0') || !WidenPath(text, value, WIDE_PATH_SIZE)) return;
  RegSetValueExW(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(lstrlenW(value) * sizeof(wchar_t)));
  leftInRegistry = false;
}

// Read into a scratch buffer first: a value that does not fit may leave any
// units behind, and the string keeps what it held.
void ReadString(HKEY key, const StringEntry& entry, SettingsTable& table, bool& leftInRegistry) {
  wchar_t value[WIDE_PATH_SIZE];
  char text[PATH_BUFFER_SIZE];
  DWORD size = sizeof value;
  DWORD type = REG_NONE;
  const LSTATUS status = RegQueryValueExW(key, entry.name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  if (status == ERROR_SUCCESS && size % sizeof(wchar_t) == 0 &&
      TerminateStringValue(value, WIDE_PATH_SIZE, size / sizeof(wchar_t)) && NarrowPath(value, text, sizeof text)) {
    lstrcpynA(table.*entry.value, text, PATH_BUFFER_SIZE);
  } else if (type == REG_SZ && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) {
    leftInRegistry = true;
  }
}

// No set, no value: a set from an earlier run must not come back. The
// packed paths convert whole, their zeros with them.
void WriteSlideFiles(HKEY key, const SlideFilesStore& files) {
  HeapArray<wchar_t> units;
  const size_t count = files.size > 0 && units.Allocate(SLIDE_FILES_UNITS_MAX)
                           ? Utf8ToUtf16(files.bytes, files.size, units.data, units.count)
                           : 0;
  if (count == 0) {
    RegDeleteValueW(key, SLIDE_FILES_NAME);
    return;
  }
  RegSetValueExW(key, SLIDE_FILES_NAME, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(units.data),
                 static_cast<DWORD>(count * sizeof(wchar_t)));
}

void ReadSlideFiles(HKEY key, SlideFilesStore& files) {
  HeapArray<wchar_t> units;
  DWORD size = static_cast<DWORD>(SLIDE_FILES_UNITS_MAX * sizeof(wchar_t));
  DWORD type = REG_NONE;
  const bool read = units.Allocate(SLIDE_FILES_UNITS_MAX) &&
                    RegQueryValueExW(key, SLIDE_FILES_NAME, nullptr, &type, reinterpret_cast<BYTE*>(units.data),
                                     &size) == ERROR_SUCCESS;
  files.size = read && type == REG_MULTI_SZ
                   ? Utf16ToUtf8(units.data, size / sizeof(wchar_t), files.bytes, sizeof files.bytes)
                   : 0;
}

// The photo's own size is not kept: it is read from the picture once it is back.
void CopyPhotoView(SettingsTable& to, const SettingsTable& from) {
  to.W3 = from.W3;
  to.H3 = from.H3;
  to.X2 = from.X2;
  to.Y2 = from.Y2;
}

}  // namespace

void SetAsideStoredPhotoView() {
  Stored->photoViewKept = true;
  CopyPhotoView(Stored->photoViewAside, Stored->values);
  CopyPhotoView(Stored->values, BUILT_IN_SETTINGS);
}

void ForgetStoredPhotoView() { Stored->photoViewKept = false; }

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

namespace {

// An ornament's values; the program's key also holds the program-wide ones.
void WriteOrnament(HKEY key, OrnamentStore& store, const SettingsTable& table, bool programKey) {
  for (const NumberEntry& entry : NUMBER_ENTRIES) {
    if (programKey || !entry.programWide) WriteNumber(key, entry, table);
  }
  for (size_t i = 0; i < std::size(STRING_ENTRIES); ++i) {
    WriteString(key, STRING_ENTRIES[i], table, store.leftInRegistry[i]);
  }
  WriteSlideFiles(key, store.slideFiles);
}

// Whether the stored files are there is the picture worker's to find: a
// drive gone offline must not hold start-up up. One that is missing gives
// way to the default as one that does not decode does; the dialogs' folder
// is cut back to one that exists when a dialog opens. The count of the
// window's place values read.
int ReadOrnament(HKEY key, OrnamentStore& store, bool programKey) {
  SettingsTable& table = store.values;
  table.Photo[0] = '\0';
  table.Frame[0] = '\0';
  int placeRead = 0;
  for (const NumberEntry& entry : NUMBER_ENTRIES) {
    if (!programKey && entry.programWide) continue;
    const int read = ReadNumber(key, entry, table);
    if (entry.value == &SettingsTable::X1 || entry.value == &SettingsTable::Y1) placeRead += read;
  }
  for (size_t i = 0; i < std::size(STRING_ENTRIES); ++i)
    ReadString(key, STRING_ENTRIES[i], table, store.leftInRegistry[i]);
  ReadSlideFiles(key, store.slideFiles);
  KeepLoadedSettingsInRange(table);
  store.startFrame = ChooseStartFrame(table.FrameID, table.Frame, HasPath);
  store.startPhoto = ChooseStartPhoto(table.Photo, HasPath);
  return placeRead;
}

// The program-wide values as the first ornament's table holds them.
SettingsTable ProgramKeyTable(const SettingsTable& first) {
  SettingsTable table = first;
  for (const NumberEntry& entry : NUMBER_ENTRIES) {
    if (entry.programWide) table.*entry.value = ProgramSettings.*entry.value;
  }
  return table;
}

}  // namespace

int LoadProgramSettings(OrnamentStore& first) {
  ProgramSettings = BUILT_IN_SETTINGS;
  HKEY key = nullptr;
  DWORD disposition = 0;
  int read = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      &disposition) == ERROR_SUCCESS) {
    if (disposition == REG_CREATED_NEW_KEY) {
      WriteOrnament(key, first, ProgramKeyTable(first.values), true);
    } else {
      ReadOrnament(key, first, true);
      ProgramSettings = first.values;
      read = 1;
    }
    RegCloseKey(key);
  }
  return read;
}

int LoadOrnamentSettings(int number, OrnamentStore& store) {
  char name[ORNAMENT_KEY_NAME_SIZE];
  HKEY program = nullptr, key = nullptr;
  if (!OrnamentKeyName(number, name, sizeof name) ||
      RegOpenKeyExA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY, 0, KEY_READ, &program) != ERROR_SUCCESS) {
    return 0;
  }
  const bool opened = RegOpenKeyExA(program, name, 0, KEY_READ, &key) == ERROR_SUCCESS;
  RegCloseKey(program);
  if (!opened) return 0;
  const int placed = ReadOrnament(key, store, false) == 2;
  RegCloseKey(key);
  return placed;
}

void SaveSettings(OrnamentStore* const* stores, int count) {
  HKEY program = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TEXT_SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &program,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (int i = 0; i < count; ++i) {
    if (stores[i]->photoViewKept) CopyPhotoView(stores[i]->values, stores[i]->photoViewAside);
  }
  if (count > 0) WriteOrnament(program, *stores[0], ProgramKeyTable(stores[0]->values), true);
  for (int number = 2; number <= ORNAMENTS_MAX; ++number) {
    char name[ORNAMENT_KEY_NAME_SIZE];
    HKEY key = nullptr;
    if (!OrnamentKeyName(number, name, sizeof name)) continue;
    if (number > count) {
      RegDeleteKeyA(program, name);
    } else if (RegCreateKeyExA(program, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
      WriteOrnament(key, *stores[number - 1], stores[number - 1]->values, false);
      RegCloseKey(key);
    }
  }
  RegCloseKey(program);
}
