#include "app/late_libraries.h"

FARPROC SystemProc(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);
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
