// A stand-in for the browser and the mail program: open_recorder.exe, next to
// the test exe, registered as what opens https, http and mailto addresses. It
// writes the machine's classes of the Wine prefix, so it works only inside the
// project's private one.
#pragma once
#include <string>
#include <vector>

#include "tests/wine/frame_window_fixture.h"

// False outside the private prefix or when the keys could not be written.
bool RegisterShellRecorder();
void UnregisterShellRecorder();

// Waits until at least count opens are recorded and no recorder runs any more;
// returns them all, each as the address that the shell handed on (registered
// as "recorder" "%1").
std::vector<std::string> WaitForRecordedOpens(size_t count, unsigned timeoutMs = 5000);

// The frame window with the recorder registered and nothing recorded yet.
class ShellRecorderTest : public FrameWindowTest {
 protected:
  void SetUp() override {
    if (!RegisterShellRecorder()) GTEST_SKIP() << "runs only in the project's private Wine prefix";
    FrameWindowTest::SetUp();
  }
  void TearDown() override {
    FrameWindowTest::TearDown();
    UnregisterShellRecorder();
  }
};
