#include "app/late_libraries.h"

namespace {

// The function of that name from the DLL, which stays loaded for the
// process's life; null when either is missing. Looked up at every call (both
// are rare): a function-local static would pull the C++ library's
// thread-safe initialisation, 100 KB, into the exe.
template <typename Function>
Function LateFunction(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  // void (*)() is the type any function pointer may pass through unwarned.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(module ? GetProcAddress(module, name) : nullptr));
}

}  // namespace

BOOL OpenFileDialog(OPENFILENAMEA* dialog) {
  const auto open = LateFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
  return open ? open(dialog) : FALSE;
}

void LoadCommonControls() {
  const auto load = LateFunction<void(WINAPI*)()>("comctl32.dll", "InitCommonControls");
  if (load) load();
}
