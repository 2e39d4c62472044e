#include "imaging/compositor.h"

#include "app/ids.h"
#include "app/program.h"
#include "app/settings.h"
#include "framewindow/frame_window.h"

void MsgRecompose(WPARAM, LPARAM skipTray) {
  RECT client;
  GetClientRect(FrameWindow, &client);
  SetStretchBltMode(FrameDC, HALFTONE);
  StretchBlt(FrameDC, 0, 0, client.right, client.bottom, PhotoSurface.dc, 0, 0, Settings.W2, Settings.H2, SRCCOPY);
  if (skipTray != 1) {
    SendMessageA(FrameWindow, MSG_SET_TRAY_ICON, static_cast<WPARAM>(Settings.TrayIcon),
                 reinterpret_cast<LPARAM>(LoadIconA(ProgramInstance, MAKEINTRESOURCEA(IDI_PROGRAM))));
  }
}
