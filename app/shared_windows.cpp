#include "app/shared_windows.h"

#include "app/program.h"

HWND FrameWindow;
HWND OrnamentWindows[ORNAMENTS_MAX];
int OrnamentCount;
HWND LastUsedWindow;
bool ProgramEnding;
HDC FrameDC;
HGLOBAL RegionBufferHandle;
RGNDATA* RegionBuffer;

ATOM RegisterPopupClass(const char* className, WNDPROC windowProc) {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = ProgramInstance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass);
}
