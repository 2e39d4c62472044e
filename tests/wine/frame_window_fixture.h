// The frame window of a real start-up, in this process, against a private
// registry. Settings written before Start() are what the program loads.
#pragma once
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "app/program.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "framewindow/ornament.h"
#include "framewindow/picture_worker.h"
#include "tests/wine/harness.h"

// Until the picture worker has done all it was asked and the window has put
// it in place, answering messages meanwhile.
inline void AwaitPictures() {
  if (!AnyPictureWorkPending()) return;
  ASSERT_TRUE(WaitUntil([] { return !AnyPictureWorkPending(); }, 15000));
}

class FrameWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    CommandLineCall = PlainCommandLine;
    ASSERT_TRUE(RedirectCurrentUser());
  }
  void TearDown() override {
    if (IsWindow(FrameWindow)) DestroyWindow(FrameWindow);
    RestoreCurrentUser();
  }

  void Start() {
    ASSERT_EQ(StartProgram(), 1);
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FrameWindow) != 0; }));
    AwaitPictures();
  }

  static LPSTR WINAPI PlainCommandLine() {
    static char line[] = "cherimo.exe";
    return line;
  }

  static Box Placed() { return BoxOf(FrameWindow); }

  // A drop as the shell makes it: a DROPFILES header and the names in
  // UTF-16, each with its zero, ending in an empty one.
  static HDROP MakeDrop(std::initializer_list<std::wstring> files) {
    std::wstring list;
    for (const std::wstring& file : files) list += file + L'\0';
    list += L'\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
  }

  // A message to the frame window, then the picture work it asked for.
  static LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    const LRESULT result = SendMessageA(FrameWindow, message, wParam, lParam);
    // A window that ended has posted its quit, which the caller waits for.
    if (IsWindow(FrameWindow)) AwaitPictures();
    return result;
  }
};
