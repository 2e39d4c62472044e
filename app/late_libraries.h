// System functions looked up when first needed: those of DLLs that only the
// open dialog and the About box use are loaded then rather than at every start
// (MinGW has no delay-loading that works in the 32-bit build), and those that
// older Windows lacks are asked for by name.
#pragma once
#include <windows.h>
#include <commdlg.h>

// Before any DLL is loaded late: the process's DLL search leaves out the
// current folder (a photo's, when Explorer starts the program on one) and,
// where the system can (Windows 8, or 7 with KB2533623), the exe's folder: a
// DLL planted there would run inside the program.
void KeepDllSearchToSystemFolder();

// The function of that name from a DLL of the system folder, loaded from
// there alone if need be and kept for the process's life; null when either is
// missing. The DLL's lookup is remembered, found or not, so a DLL that older
// Windows lacks is not searched for again. Callers look the function up at
// every call: a function-local static would pull the C++ library's
// thread-safe initialisation, 100 KB, into the exe. Only the window's thread
// looks DLLs up.
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
