#include "desktop/shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include "app/program.h"
#include "app/settings.h"
#include "app/texts.h"
#include "desktop/link_paths.h"
#include "imaging/com_ref.h"

namespace {

struct ShortcutPlace {
  const char* shellFolderValue;
  int shellFolderId;
};

constexpr ShortcutPlace PLACES[] = {
    {TEXT_SHELL_FOLDER_DESKTOP, CSIDL_DESKTOPDIRECTORY},
    {TEXT_SHELL_FOLDER_START_MENU, CSIDL_STARTMENU},
    {TEXT_SHELL_FOLDER_APP_DATA, CSIDL_APPDATA},
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

}  // namespace

void WriteShortcut(const char* target, const char* description, const char* file) {
  ComRef<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid()))) {
    return;
  }
  link->SetPath(target);
  link->SetDescription(description);
  ComRef<IPersistFile> persistFile;
  if (FAILED(link->QueryInterface(IID_IPersistFile, persistFile.ReceiveVoid()))) return;
  WCHAR widePath[512];
  if (!MultiByteToWideChar(CP_ACP, 0, file, -1, widePath, 512)) return;
  persistFile->Save(widePath, TRUE);
}

void PlaceShortcut(int place) {
  if (place < SHORTCUT_DESKTOP || place > SHORTCUT_QUICK_LAUNCH || !ModulePath[0]) return;
  const ShortcutPlace& where = PLACES[place - SHORTCUT_DESKTOP];
  char folder[PATH_BUFFER_SIZE];
  DWORD folderSize = sizeof folder;
  switch (ReadNamedFolder(where.shellFolderValue, folder, &folderSize)) {
    case FOLDER_READ:
      break;
    case FOLDER_TOO_LONG:
      return;
    case FOLDER_NOT_NAMED: {
      // The shell writes up to MAX_PATH bytes; a folder that does not fit
      // the path buffer cannot take the shortcut's name either.
      char shellFolder[MAX_PATH];
      if (FAILED(SHGetFolderPathA(nullptr, where.shellFolderId, nullptr, SHGFP_TYPE_CURRENT, shellFolder)) ||
          lstrlenA(shellFolder) >= PATH_BUFFER_SIZE) {
        return;
      }
      lstrcpyA(folder, shellFolder);
      folderSize = sizeof folder;
      break;
    }
  }
  char path[PATH_BUFFER_SIZE];
  if (!ComposeShortcutPath(path, sizeof path, folder, folderSize, place)) return;
  // Whatever an existing file of that name points to, it stays the user's.
  if (PathExists(path)) return;
  WriteShortcut(ModulePath, TEXT_SHORTCUT_DESCRIPTION, path);
}
