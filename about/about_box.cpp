#include "about/about_box.h"

// Returns FALSE throughout, WM_INITDIALOG included, so the dialog manager sets
// no focus of its own. Escape (IDCANCEL) is deliberately left without effect.
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_CLOSE:
      EndDialog(dialog, 0);
      break;
    case WM_COMMAND:
      if (wParam == IDOK) SendMessageA(dialog, WM_CLOSE, 0, 0);
      break;
  }
  return FALSE;
}
