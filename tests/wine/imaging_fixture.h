// The running program, in-process against a private registry, for the
// imaging tests that drive the frame window through its messages.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "app/ids.h"
#include "app/program.h"
#include "framewindow/frame_window.h"
#include "imaging/compositor.h"
#include "imaging/surface.h"
#include "tests/wine/harness.h"
#include "tests/wine/imaging_files.h"

// A frame surface's 256 x 256 pixels; empty when it has none of that size.
inline Pixels FramePixels(const Surface& surface) {
  int width = 0, height = 0;
  const uint32_t* pixels = DibPixels(surface, &width, &height);
  if (!pixels || width != 256 || height != 256) return {};
  return Pixels(pixels, pixels + 256 * 256);
}

// The icon of the latest composition may follow a little later.
inline void SettleIcon() {
  ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }, 2000));
}

// Sends a corpus file, e.g. "images/frame.png", as the message's path.
inline void Send(UINT message, const char* name, LPARAM lParam = 0) {
  const std::string path = CorpusFile(name);
  SendMessageA(FrameWindow, message, reinterpret_cast<WPARAM>(path.c_str()), lParam);
}
inline void ResizeClient(int width, int height) {
  SetWindowPos(FrameWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(FrameWindow, &client);
  ASSERT_EQ(std::pair(client.right, client.bottom), (std::pair<LONG, LONG>(width, height)));
}

class ImagingProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    RedirectCurrentUser();
    ASSERT_EQ(StartProgram(), 1);
  }
  void TearDown() override {
    if (IsWindow(FrameWindow)) DestroyWindow(FrameWindow);
    RestoreCurrentUser();
  }
};
