// System functions looked up when first needed: those of DLLs that only the
// open dialog and the About box use are loaded then rather than at every start
// (MinGW has no delay-loading that works in the 32-bit build), and those that
// older Windows lacks are asked for by name.
#pragma once
#include <windows.h>
#include <commdlg.h>

// The function of that name from a system DLL, loaded if need be and kept for
// the process's life; null when either is missing. Callers look it up at
// every call: a function-local static would pull the C++ library's
// thread-safe initialisation, 100 KB, into the exe.
FARPROC SystemProc(const char* dll, const char* name);
template <typename Function>
Function LateFunction(const char* dll, const char* name) {
  // void (*)() is the type any function pointer may pass through unwarned.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(SystemProc(dll, name)));
}

// GetOpenFileNameW from comdlg32; FALSE, as for a cancelled dialog, when the
// DLL or the function cannot be had.
BOOL OpenFileDialog(OPENFILENAMEW* dialog);
// InitCommonControls from comctl32: the version 6 controls the manifest asks for.
void LoadCommonControls();
