// The running program, in-process against a private registry, for the
// imaging tests that drive the frame window through its messages.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/ids.h"
#include "app/program.h"
#include "framewindow/frame_window.h"
#include "imaging/compositor.h"
#include "tests/wine/harness.h"
#include "tests/wine/imaging_files.h"

// Counts the messages of one kind sent to the frame window on this thread.
// Counters may nest; one hook serves them all.
struct SentMessageCounter {
  UINT watched;
  int count = 0;
  LPARAM lastLParam = 0;

  explicit SentMessageCounter(UINT message) : watched(message) {
    for (SentMessageCounter*& slot : active) {
      if (!slot) {
        slot = this;
        break;
      }
    }
    if (!hook) hook = SetWindowsHookExA(WH_CALLWNDPROC, Observe, nullptr, GetCurrentThreadId());
  }
  SentMessageCounter(const SentMessageCounter&) = delete;
  SentMessageCounter& operator=(const SentMessageCounter&) = delete;
  ~SentMessageCounter() {
    bool any = false;
    for (SentMessageCounter*& slot : active) {
      if (slot == this) slot = nullptr;
      any = any || slot;
    }
    if (!any && hook) {
      UnhookWindowsHookEx(hook);
      hook = nullptr;
    }
  }

 private:
  static inline SentMessageCounter* active[4];
  static inline HHOOK hook;
  static LRESULT CALLBACK Observe(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    for (SentMessageCounter* counter : active) {
      if (code == HC_ACTION && counter && sent->hwnd == FrameWindow && sent->message == counter->watched) {
        ++counter->count;
        counter->lastLParam = sent->lParam;
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

// The icon of the latest composition may follow a little later.
inline void SettleIcon() { ASSERT_TRUE(WaitUntil([] { return !IconRefreshPending(); }, 2000)); }

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

  // Sends a corpus file, e.g. "images/frame.png", as the message's path.
  static void Send(UINT message, const char* name, LPARAM lParam = 0) {
    const std::string path = CorpusFile(name);
    SendMessageA(FrameWindow, message, reinterpret_cast<WPARAM>(path.c_str()), lParam);
  }
  static void ResizeClient(int width, int height) {
    SetWindowPos(FrameWindow, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(FrameWindow, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
  }
};
