// The soak: the real exe under a seeded random sequence of real input and
// menu commands for minutes on end. Not part of the suite (it is disabled);
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

#include "app/ids.h"
#include "app/texts.h"
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
  // Keeps the window where drags and keys can reach it.
  void BringBack() const {
    const Box box = BoxOf(window);
    if (box.left < 50 || box.top < 50 || box.left + box.width > 1200 || box.top + box.height > 950) {
      SetWindowPos(window, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  void Drag(const char* key, int dx, int dy) const {
    std::string steps = PointerOnto(window);
    if (key) steps += std::string(" keydown ") + key;
    steps += " mousedown 1 mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy) + " mouseup 1";
    if (key) steps += std::string(" keyup ") + key;
    RunXdotool(steps);
  }

  static HWND OpenDialog() { return FindWindowA("#32770", TEXT_OPEN_DIALOG_TITLE); }

  // Select Photo... from the menu by the arrow keys, then the path typed
  // into the open dialog; false when the dialog did not come or go.
  bool ChoosePhoto(const std::string& photo) const {
    RunXdotool(PointerOnto(window) + " click 3");
    if (!WaitUntil([] { return FindWindowA("#32768", nullptr) != nullptr; }, 3000)) return false;
    RunXdotool("mousemove_relative -- -3 -3 key --delay 20 Down Down Down Down Down Down Down Down Down Return");
    if (!WaitUntil([] { return OpenDialog() != nullptr; }, 3000)) return false;
    const Box box = BoxOf(OpenDialog());
    RunXdotool("mousemove " + std::to_string(box.left + box.width / 2) + " " + std::to_string(box.top + 10) +
               " click 1 type --delay 5 '" + photo + "'");
    RunXdotool("key Return");
    return WaitUntil([] { return OpenDialog() == nullptr; }, 3000);
  }

  bool Answers() const {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, HANG_LIMIT_MS, &result) != 0;
  }

  RunningProgram program;
  HWND window = nullptr;
};

TEST_F(SoakTest, DISABLED_RandomInputAndCommands) {
  const int minutes = EnvironmentNumber("CHERIMO_SOAK_MINUTES", 10);
  const unsigned seed = static_cast<unsigned>(EnvironmentNumber("CHERIMO_SOAK_SEED", 1));
  WriteDword("X1", 400);
  WriteDword("Y1", 300);
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);

  std::mt19937 random(seed);
  const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
  const auto post = [&](UINT message, WPARAM wParam) { PostMessageA(window, message, wParam, 0); };
  int32_t frameId = FRAME_ID_DEFAULT;
  std::string photo;
  bool lastChoiceKnown = true;
  long missedDialogs = 0;
  std::string photos[] = {CHERIMO_CORPUS_DIR "/images/photo.jpg", CHERIMO_CORPUS_DIR "/images/halves.png",
                          CHERIMO_CORPUS_DIR "/images/turned-6.jpg"};
  for (std::string& path : photos) std::replace(path.begin(), path.end(), '/', '\\');
  // Up to LAST_ON_SCREEN they need the window on screen: a put-away one is restored instead.
  enum : size_t { LAST_ON_SCREEN = 6, TOPMOST = 8, RESTORE = 10 };
  const struct {
    const char* name;
    std::function<void()> run;
  } operations[] = {
      {"drag", [&] { Drag(nullptr, pick(41) - 20, pick(41) - 20); }},
      {"ctrl drag", [&] { Drag("Control_L", pick(41) - 20, pick(41) - 20); }},
      {"shift drag", [&] { Drag("Shift_L", pick(31) - 15, pick(31) - 15); }},
      {"wheel", [&] { RunXdotool(PointerOnto(window) + (pick(2) ? " click 4" : " click 5")); }},
      {"plus or minus", [&] { RunXdotool(PointerOnto(window) + (pick(2) ? " key plus" : " key minus")); }},
      {"page key",
       [&] {
         const bool next = pick(2) != 0;
         RunXdotool(PointerOnto(window) + (next ? " key Next" : " key Prior"));
         frameId = next ? NextFrameId(frameId) : PreviousFrameId(frameId);
       }},
      {"photo by dialog",
       [&] {
         const std::string& chosen = photos[pick(3)];
         lastChoiceKnown = ChoosePhoto(chosen);
         if (lastChoiceKnown) photo = chosen;
         // A menu or dialog the keys missed (the window moved or was put away meanwhile) is closed.
         if (!lastChoiceKnown) RunXdotool("key Escape key Escape");
         missedDialogs += lastChoiceKnown ? 0 : 1;
       }},
      {"menu frame",
       [&] {
         frameId = FRAME_ID_FIRST + pick(FRAME_ID_LAST - FRAME_ID_FIRST + 1);
         post(WM_COMMAND, static_cast<WPARAM>(frameId));
       }},
      {"topmost", [&] { post(WM_COMMAND, IDM_ALWAYS_ON_TOP); }},
      {"minimise", [&] { post(WM_COMMAND, IDM_MINIMIZE); }},
      {"restore", [&] { post(MSG_SET_SHOW_STATE, 1); }},
      {"shell restart", [&] { post(RegisterWindowMessageA(TEXT_TASKBAR_CREATED_MESSAGE), 0); }},
  };
  long done[std::size(operations)] = {};
  const DWORD end = GetTickCount() + static_cast<DWORD>(minutes) * 60000;
  for (long step = 0; GetTickCount() < end; ++step) {
    size_t operation = static_cast<size_t>(pick(static_cast<int>(std::size(operations))));
    if (operation <= LAST_ON_SCREEN && !IsWindowVisible(window)) operation = RESTORE;
    operations[operation].run();
    ++done[operation];
    const std::string what = "step " + std::to_string(step) + " (" + operations[operation].name + ")";
    ASSERT_TRUE(Answers()) << (WaitForExit(program, 0) < 0 ? "no answer in time after " : "the program ended in ")
                           << what;
    BringBack();
  }
  PostMessageA(window, MSG_SET_SHOW_STATE, 1, 0);
  ASSERT_TRUE(Answers());
  for (size_t i = 0; i < std::size(operations); ++i) std::printf("soak: %-15s %ld\n", operations[i].name, done[i]);
  const long total = std::accumulate(std::begin(done), std::end(done), 0L);
  std::printf("soak: %ld operations in %d minutes, seed %u; %ld open dialogs missed\n", total, minutes, seed,
              missedDialogs);
  ASSERT_EQ(CloseAndWait(program, window), 0);
  EXPECT_EQ(StoredDword("FrameID"), frameId);
  EXPECT_EQ(StoredDword("AlwaysOnTheTop"), 1 - done[TOPMOST] % 2);
  EXPECT_EQ(StoredDword("Show"), 1);
  std::string stored;
  ReadString("Photo", &stored);
  EXPECT_TRUE(!lastChoiceKnown || stored == photo) << stored << " after choosing " << photo;
}

}  // namespace
