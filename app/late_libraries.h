// The system functions that only the open dialog and the About box need,
// from DLLs loaded when first called rather than at every start (MinGW has
// no delay-loading that works in the 32-bit build).
#pragma once
#include <windows.h>
#include <commdlg.h>

// GetOpenFileNameA from comdlg32; FALSE, as for a cancelled dialog, when the
// DLL or the function cannot be had.
BOOL OpenFileDialog(OPENFILENAMEA* dialog);
// InitCommonControls from comctl32: the version 6 controls the manifest asks for.
void LoadCommonControls();
