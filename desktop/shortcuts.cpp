#include "desktop/shortcuts.h"

#include <cstring>

#include "app/late_libraries.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/texts.h"
#include "app/wide_text.h"
#include "desktop/link_paths.h"
#include "imaging/com_ref.h"
#include "splash/notice_window.h"

namespace {

// Looked up when first asked: systems before Vista have no known folders.
HRESULT WINAPI KnownFolderOfShell(REFKNOWNFOLDERID id, DWORD flags, HANDLE token, PWSTR* path) {
  using GetKnownFolder = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  const auto known = LateFunction<GetKnownFolder>("shell32.dll", "SHGetKnownFolderPath");
  return known ? known(id, flags, token, path) : E_NOTIMPL;
}

// The Start menu's Programs folder is where Windows 10 and 11 list shortcuts;
// its root shows nothing there. Quick Launch lies under the roaming AppData.
struct ShortcutPlace {
  const KNOWNFOLDERID* knownFolder;
  const char* shellFolderValue;
  int shellFolderId;
};

const ShortcutPlace PLACES[] = {
    {&FOLDERID_Desktop, TEXT_SHELL_FOLDER_DESKTOP, CSIDL_DESKTOPDIRECTORY},
    {&FOLDERID_Programs, TEXT_SHELL_FOLDER_PROGRAMS, CSIDL_PROGRAMS},
    {&FOLDERID_RoamingAppData, TEXT_SHELL_FOLDER_APP_DATA, CSIDL_APPDATA},
};

enum FolderRead { FOLDER_READ, FOLDER_NOT_NAMED, FOLDER_TOO_LONG };

// The folder as the Shell Folders key names it; the key is only a copy that
// the shell fills when asked, so a missing entry is no answer.
FolderRead ReadNamedFolder(const char* valueName, char* folder, DWORD* size) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TEXT_SHELL_FOLDERS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return FOLDER_NOT_NAMED;
  }
  DWORD type = 0;
  FolderRead read = FOLDER_NOT_NAMED;
  if (RegQueryValueExA(key, valueName, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS && type == REG_SZ) {
    const LONG result = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(folder), size);
    if (result == ERROR_MORE_DATA) read = FOLDER_TOO_LONG;
    if (result == ERROR_SUCCESS && *size > 0 && folder[0]) read = FOLDER_READ;
  }
  RegCloseKey(key);
  return read;
}

// The known folder, UTF-8; 0 when the shell has none or it does not fit.
int ReadKnownFolder(const KNOWNFOLDERID& id, char* folder, DWORD* size) {
  PWSTR path = nullptr;
  if (FAILED(KnownFolderCall(id, 0, nullptr, &path))) return 0;
  const int read = NarrowToUtf8(path, folder, static_cast<int>(*size)) && folder[0];
  CoTaskMemFree(path);
  *size = PATH_BUFFER_SIZE;
  return read;
}

// The place's folder: the shell's known folder, or as older Windows named it.
int PlaceFolder(const ShortcutPlace& where, char* folder, DWORD* folderSize) {
  if (ReadKnownFolder(*where.knownFolder, folder, folderSize)) return 1;
  *folderSize = PATH_BUFFER_SIZE;
  switch (ReadNamedFolder(where.shellFolderValue, folder, folderSize)) {
    case FOLDER_READ:
      return 1;
    case FOLDER_TOO_LONG:
      return 0;
    case FOLDER_NOT_NAMED:
      break;
  }
  // The shell writes up to MAX_PATH units; a folder that does not fit the
  // path buffer cannot take the shortcut's name either.
  wchar_t shellFolder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, where.shellFolderId, nullptr, SHGFP_TYPE_CURRENT, shellFolder)) ||
      !NarrowToUtf8(shellFolder, folder, PATH_BUFFER_SIZE)) {
    return 0;
  }
  *folderSize = PATH_BUFFER_SIZE;
  return 1;
}

// The shortcut's full path in the place's folder; 0 when there is none or it does not fit.
int ShortcutPath(int place, char* path) {
  if (place < SHORTCUT_DESKTOP || place > SHORTCUT_QUICK_LAUNCH) return 0;
  char folder[PATH_BUFFER_SIZE];
  DWORD folderSize = sizeof folder;
  return PlaceFolder(PLACES[place - SHORTCUT_DESKTOP], folder, &folderSize) &&
         ComposeShortcutPath(path, PATH_BUFFER_SIZE, folder, folderSize, place);
}

int WideAttributes(const char* path, DWORD& attributes) {
  wchar_t wide[PATH_UNITS_MAX + 1];
  if (!WidenUtf8(path, wide, PATH_UNITS_MAX + 1)) return 0;
  attributes = GetFileAttributesW(wide);
  return attributes != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

KnownFolderFunction KnownFolderCall = KnownFolderOfShell;

void WriteShortcut(const char* target, const char* description, const char* file) {
  wchar_t wideTarget[PATH_UNITS_MAX + 1], wideDescription[128], wideFile[PATH_UNITS_MAX + 1];
  if (!WidenUtf8(target, wideTarget, PATH_UNITS_MAX + 1) || !WidenUtf8(description, wideDescription, 128) ||
      !WidenUtf8(file, wideFile, PATH_UNITS_MAX + 1)) {
    return;
  }
  ComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid()))) {
    return;
  }
  link->SetPath(wideTarget);
  link->SetDescription(wideDescription);
  ComRef<IPersistFile> persistFile;
  if (FAILED(link->QueryInterface(IID_IPersistFile, persistFile.ReceiveVoid()))) return;
  persistFile->Save(wideFile, TRUE);
}

int ShortcutFolderExists(int place) {
  char path[PATH_BUFFER_SIZE];
  if (!ShortcutPath(place, path)) return 0;
  *std::strrchr(path, '\\') = '\0';
  DWORD attributes = 0;
  return WideAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ShortcutResult PlaceShortcut(int place) {
  char path[PATH_BUFFER_SIZE];
  if (!ModulePath[0] || !ShortcutPath(place, path)) return ShortcutResult::NO_FOLDER;
  // Whatever an existing file of that name points to, it stays the user's.
  DWORD attributes = 0;
  if (WideAttributes(path, attributes)) {
    char text[NOTICE_TEXT_SIZE];
    const char* const where[] = {TEXT_NOTICE_SHORTCUT_PLACES[place - SHORTCUT_DESKTOP]};
    if (FillPattern(text, sizeof text, TEXT_NOTICE_SHORTCUT_EXISTS, where, 1)) ShowNotice(text);
    return ShortcutResult::ALREADY_THERE;
  }
  WriteShortcut(ModulePath, TEXT_SHORTCUT_DESCRIPTION, path);
  return ShortcutResult::WRITTEN;
}
