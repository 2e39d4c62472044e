// The real cherimo.exe, started as a user or Windows would start it. These
// tests read and write the real HKEY_CURRENT_USER, so they run only in the
// private Wine prefix of the project's scripts.
#pragma once
#include <gtest/gtest.h>

#include <functional>

#include "app/ids.h"
#include "tests/wine/harness.h"

class RealProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!InPrivateWinePrefix()) GTEST_SKIP() << "runs only in the project's private Wine prefix";
    EndLeftoverPrograms();
    DeleteSettingsKey();
  }
  void TearDown() override {
    if (InPrivateWinePrefix()) EndLeftoverPrograms();
  }

  // The window exists from its creation; start-up has ended once the last
  // step has made it topmost (the built-in setting) and its loop answers.
  static HWND StartedWindow(RunningProgram& program, const char* arguments = "") {
    return StartProgramProcess(program, arguments) ? StartUpEnded(FindFrameWindow()) : nullptr;
  }
  static HWND StartUpEnded(HWND window) {
    const auto topmost = [&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    return window && WaitUntil(topmost) && Answers(window) ? window : nullptr;
  }

  // True when the program's loop answers a message round trip in time.
  static bool Answers(HWND window, DWORD timeoutMs = 10000) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &result) != 0;
  }

  static int CloseAndWait(RunningProgram& program, HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForExit(program);
  }

  // 1 while the program's worker has pictures to put in place (or it does not answer).
  static bool PicturesPending(HWND window) {
    DWORD_PTR result = 1;
    return !SendMessageTimeoutA(window, MSG_PICTURES_PENDING, 0, 0, SMTO_BLOCK, 5000, &result) || result != 0;
  }

  // Waits until the program has put in place the pictures it asked its
  // worker for; after an action, when it did. False when not in time.
  static bool PicturesInPlace(HWND window) { return WaitUntil([&] { return !PicturesPending(window); }, 15000); }
  static bool PictureShown(HWND window, const std::function<bool()>& action) {
    return action() && PicturesInPlace(window);
  }

  // xdotool input with the pointer on the middle of the window first.
  bool OnWindow(const std::string& input = "") const { return RunXdotool(PointerOnto(window) + " " + input); }

  // The walks' one program and its frame window.
  RunningProgram program;
  HWND window = nullptr;
};
