// The least Win32 program that shows a window: the floor that the program's
// own start-up is measured against.
#include <windows.h>

LRESULT CALLBACK LeastWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = LeastWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "LeastWindowClass";
  RegisterClassA(&windowClass);
  CreateWindowExA(0, "LeastWindowClass", "least", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, instance,
                  nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
