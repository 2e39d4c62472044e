#include "app/late_libraries.h"

#include <cstring>

#include "app/utf_text.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD directories);

// LoadLibraryExW takes LOAD_LIBRARY_SEARCH_SYSTEM32 where SetDefaultDllDirectories exists.
bool SystemFolderFlag;

struct LateLibrary {
  const char* name;  // a literal of the caller's
  HMODULE module;
};
constexpr int LATE_LIBRARIES_MAX = 8;
LateLibrary LateLibraries[LATE_LIBRARIES_MAX];
int LateLibraryCount;

// A DLL already in the process is taken as it is: the common controls 6
// that the manifest asks for are found by name, not in the system folder.
HMODULE LoadFromSystemFolder(const char* dll) {
  wchar_t path[MAX_PATH];
  if (!WidenPath(dll, path, MAX_PATH)) return nullptr;
  if (HMODULE loaded = GetModuleHandleW(path)) return loaded;
  if (SystemFolderFlag) return LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Without the flag, the full path: a path names one file and is searched nowhere.
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 1 >= MAX_PATH) return nullptr;
  path[length] = L'\\';
  return WidenPath(dll, path + length + 1, MAX_PATH - length - 1) ? LoadLibraryW(path) : nullptr;
}

HMODULE LateLibraryModule(const char* dll) {
  for (int i = 0; i < LateLibraryCount; ++i) {
    if (std::strcmp(LateLibraries[i].name, dll) == 0) return LateLibraries[i].module;
  }
  HMODULE module = LoadFromSystemFolder(dll);
  if (LateLibraryCount < LATE_LIBRARIES_MAX) LateLibraries[LateLibraryCount++] = {dll, module};
  return module;
}

}  // namespace

void KeepDllSearchToSystemFolder() {
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  SystemFolderFlag = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!SystemFolderFlag) SetDllDirectoryW(L"");
}

FARPROC SystemProc(const char* dll, const char* name) {
  HMODULE module = LateLibraryModule(dll);
  return module ? GetProcAddress(module, name) : nullptr;
}

BOOL OpenFileDialog(OPENFILENAMEW* dialog) {
  const auto open = LateFunction<BOOL(WINAPI*)(OPENFILENAMEW*)>("comdlg32.dll", "GetOpenFileNameW");
  return open ? open(dialog) : FALSE;
}

void LoadCommonControls() {
  const auto load = LateFunction<void(WINAPI*)()>("comctl32.dll", "InitCommonControls");
  if (load) load();
}
