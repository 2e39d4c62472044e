// The running program, in-process against a private registry, for the
// imaging tests that drive the frame window through its messages.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/ids.h"
#include "app/program.h"
#include "framewindow/frame_window.h"
#include "imaging/compositor.h"
#include "imaging/surface.h"
#include "tests/wine/harness.h"
#include "tests/wine/imaging_files.h"

// Records the messages sent to the frame window on this thread while it lives.
struct SentMessages {
  static inline std::vector<CWPSTRUCT> log;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Observe, nullptr, GetCurrentThreadId());
  SentMessages() { log.clear(); }
  SentMessages(const SentMessages&) = delete;
  SentMessages& operator=(const SentMessages&) = delete;
  ~SentMessages() { UnhookWindowsHookEx(hook); }
  // The lParams of one kind of message, in the order sent.
  static std::vector<LPARAM> Of(UINT message) {
    std::vector<LPARAM> lParams;
    for (const CWPSTRUCT& sent : log) {
      if (sent.message == message) lParams.push_back(sent.lParam);
    }
    return lParams;
  }
  static LRESULT CALLBACK Observe(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == FrameWindow) log.push_back(*sent);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

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
