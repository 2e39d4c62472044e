#include "app/late_libraries.h"

namespace {

// The function of that name from the DLL, which stays loaded for the
// process's life; null when either is missing.
template <typename Function>
Function LateFunction(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  // void (*)() is the type any function pointer may pass through unwarned.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(module ? GetProcAddress(module, name) : nullptr));
}

}  // namespace

BOOL OpenFileDialog(OPENFILENAMEA* dialog) {
  static const auto open = LateFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
  return open ? open(dialog) : FALSE;
}

void LoadCommonControls() {
  static const auto load = LateFunction<void(WINAPI*)()>("comctl32.dll", "InitCommonControls");
  if (load) load();
}
