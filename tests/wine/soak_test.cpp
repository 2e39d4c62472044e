// The soak: the real exe under a seeded random sequence of real input and
// menu commands for minutes on end, beside two more ornaments whose
// slideshows change every 10 seconds and others made and closed as it goes. Not part of the suite (it is disabled);
// scripts/soak.sh runs it with CHERIMO_SOAK_MINUTES and CHERIMO_SOAK_SEED and
// watches the process's memory from outside (Wine does not report another
// process's memory counters).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "framewindow/placement_rules.h"
#include "tests/wine/program_fixture.h"

namespace {

constexpr DWORD HANG_LIMIT_MS = 5000;

int EnvironmentNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : fallback;
}

class SoakTest : public RealProgramTest {
 protected:
  // In one xdotool run, unlike the end-to-end walk's drag, which waits on each step.
  void Drag(const std::string& key, int dx, int dy) const {
    const std::string move = "mousedown 1 mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy) + " mouseup 1";
    OnWindow(key.empty() ? move : "keydown " + key + " " + move + " keyup " + key);
  }
};

// Frame windows of the program other than the one driven.
std::vector<HWND> OtherOrnaments(HWND driven) {
  std::vector<HWND> others;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, TEXT_FRAME_CLASS, nullptr));) {
    if (window != driven) others.push_back(window);
  }
  return others;
}

TEST_F(SoakTest, DISABLED_RandomInputAndCommands) {
  const int minutes = EnvironmentNumber("CHERIMO_SOAK_MINUTES", 10);
  const unsigned seed = static_cast<unsigned>(EnvironmentNumber("CHERIMO_SOAK_SEED", 1));
  WriteDword("X1", 400);
  WriteDword("Y1", 300);
  // Two slideshows below, not on top, so the driven one stays above them.
  std::string slides = CHERIMO_CORPUS_DIR "\\images";
  std::replace(slides.begin(), slides.end(), '/', '\\');
  for (int number : {2, 3}) {
    const std::string key = OrnamentKey(number);
    const std::pair<const char*, DWORD> values[] = {
        {"X1", static_cast<DWORD>(number * 150)}, {"Y1", 850}, {"AlwaysOnTheTop", 0}, {"SlideInterval", 10}};
    for (const auto& [name, value] : values) WriteRegValue(key.c_str(), name, REG_DWORD, &value, sizeof value);
    WriteRegValue(key.c_str(), "SlideFolder", REG_SZ, slides.c_str(), static_cast<DWORD>(slides.size() + 1));
  }
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);

  std::mt19937 random(seed);
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  const auto post = [&](UINT message, WPARAM wParam) { PostMessageA(window, message, wParam, 0); };
  // Made beside the driven one, closed again from their own menus; a few at most.
  const auto newOrClosed = [&] {
    const std::vector<HWND> others = OtherOrnaments(window);
    if (others.size() < 6 && pick(2)) {
      post(WM_COMMAND, IDM_NEW_ORNAMENT);
    } else if (others.size() > 2) {
      PostMessageA(others[static_cast<size_t>(pick(static_cast<int>(others.size())))], WM_COMMAND, IDM_CLOSE_ORNAMENT, 0);
    }
  };
  int32_t frameId = FRAME_ID_DEFAULT;
  // Up to LAST_ON_SCREEN they need the window on screen: a put-away one is restored instead.
  enum : size_t { LAST_ON_SCREEN = 5, TOPMOST = 7, RESTORE = 9 };
  const struct {
    const char* name;
    std::function<void()> run;
  } operations[] = {
      {"drag", [&] { Drag("", pick(41) - 20, pick(41) - 20); }},
      {"ctrl drag", [&] { Drag("Control_L", pick(41) - 20, pick(41) - 20); }},
      {"shift drag", [&] { Drag("Shift_L", pick(31) - 15, pick(31) - 15); }},
      {"wheel", [&] { OnWindow(pick(2) ? "click 4" : "click 5"); }},
      {"plus or minus", [&] { OnWindow(pick(2) ? "key plus" : "key minus"); }},
      {"page key",
       [&] {
         const bool next = pick(2) != 0;
         OnWindow(next ? "key Next" : "key Prior");
         frameId = next ? NextFrameId(frameId) : PreviousFrameId(frameId);
       }},
      {"menu frame", [&] { post(WM_COMMAND, static_cast<WPARAM>(frameId = FRAME_ID_FIRST + pick(FRAME_COUNT))); }},
      {"topmost", [&] { post(WM_COMMAND, IDM_ALWAYS_ON_TOP); }},
      {"minimise", [&] { post(WM_COMMAND, IDM_MINIMIZE); }},
      {"restore", [&] { post(MSG_SET_SHOW_STATE, 1); }},
      {"shell restart", [&] { post(RegisterWindowMessageA(TEXT_TASKBAR_CREATED_MESSAGE), 0); }},
      {"new or close", newOrClosed}};
  long done[std::size(operations)] = {};
  const DWORD end = GetTickCount() + static_cast<DWORD>(minutes) * 60000;
  for (long step = 0; GetTickCount() < end; ++step) {
    size_t operation = static_cast<size_t>(pick(static_cast<int>(std::size(operations))));
    if (operation <= LAST_ON_SCREEN && !IsWindowVisible(window)) operation = RESTORE;
    operations[operation].run();
    ++done[operation];
    const std::string what = "step " + std::to_string(step) + " (" + operations[operation].name + ")";
    ASSERT_TRUE(Answers(window, HANG_LIMIT_MS)) << (WaitForExit(program, 0) < 0 ? "no answer in time after " : "the program ended in ")
                           << what;
    // The window is kept where drags and keys can reach it.
    const Box box = BoxOf(window);
    if (box.left < 50 || box.top < 50 || box.left + box.width > 1200 || box.top + box.height > 950) {
      SetWindowPos(window, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  PostMessageA(window, MSG_SET_SHOW_STATE, 1, 0);
  ASSERT_TRUE(Answers(window, HANG_LIMIT_MS));
  for (size_t i = 0; i < std::size(operations); ++i) std::printf("soak: %-15s %ld\n", operations[i].name, done[i]);
  const long total = std::accumulate(std::begin(done), std::end(done), 0L);
  std::printf("soak: %ld operations in %d minutes, seed %u\n", total, minutes, seed);
  ASSERT_EQ(CloseAndWait(program, window), 0);
  EXPECT_EQ((std::vector{StoredDword("FrameID"), StoredDword("AlwaysOnTheTop"), StoredDword("Show")}),
            (std::vector<std::optional<int64_t>>{frameId, 1 - done[TOPMOST] % 2, 1}));
}

}  // namespace
