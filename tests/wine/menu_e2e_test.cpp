// The real exe driven by real mouse and keyboard input from xdotool: its
// splash and hint, its context menu, its open dialog and the About box; the
// registry is read after the program ends.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

HWND VisibleWindow(const char* className, const char* title) {
  HWND found = FindWindowA(className, title);
  return found && IsWindowVisible(found) ? found : nullptr;
}

// The program's frame windows, shown, in no particular order.
std::vector<HWND> FrameWindows() {
  std::vector<HWND> found;
  for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, TEXT_FRAME_CLASS, nullptr));) {
    if (IsWindowVisible(window)) found.push_back(window);
  }
  return found;
}

// The frame window that is not among `known`.
HWND NewFrameWindow(const std::vector<HWND>& known) {
  HWND made = nullptr;
  WaitUntil([&] {
    for (HWND window : FrameWindows()) {
      if (std::find(known.begin(), known.end(), window) == known.end()) made = window;
    }
    return made != nullptr;
  });
  return made;
}


class MenuTest : public RealProgramTest {
 protected:
  // A right click on the frame; the pointer stays on it, where the menu's keys
  // go, once the menu's own loop runs: a busy machine may show the menu first.
  void MenuKeys(const std::string& keys) const {
    ASSERT_TRUE(OnWindow("click 3"));
    ASSERT_TRUE(WaitUntil([] { return VisibleWindow("#32768", nullptr) != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] {
      GUITHREADINFO thread = {sizeof thread};
      return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && (thread.flags & GUI_INMENUMODE);
    }));
    ASSERT_TRUE(RunXdotool("mousemove_relative -- -3 -3 key --delay 20 " + keys));
  }

  // Select Photo... shares its mnemonic S with two other items, which Windows
  // cycles through and Wine does not: the arrow keys reach it on both. Then
  // the keys go to the open dialog, which must close. Returns the number of
  // files it listed as it opened.
  int InOpenDialog(std::initializer_list<std::string> commands) const {
    MenuKeys("Down Down Down Down Down Down Down Down Down Return");
    HWND dialog = nullptr;
    // The item dialog's first opening loads the shell's browser: slower than the older dialog.
    EXPECT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", TEXT_OPEN_DIALOG_TITLE)) != nullptr; }, 15000));
    // The item dialog holds its file list in an explorer browser.
    HWND browser = FindWindowExA(dialog, nullptr, "ExplorerBrowserControl", nullptr);
    HWND list = FindWindowExA(FindWindowExA(browser ? browser : dialog, nullptr, "SHELLDLL_DefView", nullptr), nullptr,
                              "SysListView32", nullptr);
    const auto listed = [&] { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); };
    WaitUntil([&] { return listed() > 0; }, 1000);
    const int opened = listed();
    for (const std::string& keys : commands) EXPECT_TRUE(RunXdotool(PointerOnto(dialog) + " " + keys));
    EXPECT_TRUE(WaitUntil([] { return VisibleWindow("#32770", TEXT_OPEN_DIALOG_TITLE) == nullptr; }));
    return opened;
  }
};

// The splash shows during start-up and a while after, then gives way to the
// hint while the mouse is over the frame; F1 opens the About box and Enter ends it; a typed path becomes the photo and its folder is remembered, and Escape in the
// dialog after it changes neither; a toggle is stored at exit.
TEST_F(MenuTest, SplashThenHintTheAboutBoxATypedPathThenEscapeAndAToggleStoredAtExit) {
  const ScratchFolder scratch("cherimo-menu");
  const std::string folder = scratch.path.string() + "\\", photo = folder + "square.png";  // 256 x 256 pixels
  ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", photo.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/README.md", (folder + "notes.txt").c_str(), FALSE));
  for (const auto& [name, value] : {std::pair("X1", 400u), std::pair("Y1", 300u)}) WriteDword(name, value);
  WriteValue("Path", REG_SZ, folder.data(), static_cast<DWORD>(folder.size()));
  ASSERT_TRUE(StartProgramProcess(program));
  HWND splash = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (splash = VisibleWindow(TEXT_SPLASH_CLASS, nullptr)) != nullptr; }));
  window = StartUpEnded(FindFrameWindow());
  ASSERT_NE(window, nullptr);
  // A quick start-up does not flash the splash: it stays a while after the frame answers.
  EXPECT_TRUE(IsWindowVisible(splash));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(splash); }, 2 * SPLASH_SHOWN_MS));
  const HWND foreground = GetForegroundWindow();
  ASSERT_TRUE(RunXdotool("mousemove 5 5 " + PointerOnto(window)));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(splash) != 0; }));
  EXPECT_EQ(GetWindowLongA(splash, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetForegroundWindow(), foreground);

  ASSERT_TRUE(OnWindow("key F1"));
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (about = VisibleWindow("#32770", TEXT_ABOUT_TITLE)) != nullptr; }));
  ASSERT_TRUE(RunXdotool(PointerOnto(about) + " key Return"));
  ASSERT_TRUE(WaitUntil([] { return VisibleWindow("#32770", TEXT_ABOUT_TITLE) == nullptr; }));

  // The first dialog lists the folder's pictures, and only those, as it opens.
  EXPECT_EQ(InOpenDialog({"type --delay 5 '" + photo + "'", "key Return"}), 1);
  InOpenDialog({"key Escape"});
  MenuKeys("a");
  ASSERT_TRUE(WaitUntil([&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
  // In the work area's corner the hint shows over the frame; a right click there reaches the frame.
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(window, nullptr, work.right - 100, work.bottom - 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(RunXdotool("mousemove 5 5"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(splash); }));
  ASSERT_TRUE(OnWindow());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(splash) != 0; }));
  MenuKeys("x");
  EXPECT_EQ(WaitForExit(program), 0);
  EXPECT_EQ(StoredText("Path") + "|" + StoredText("Photo"), folder + "|" + photo);
  EXPECT_EQ((std::vector{StoredDword("W2"), StoredDword("AlwaysOnTheTop")}), (std::vector<std::optional<int64_t>>{256, 0}));
}

// Three ornaments from the menu, side by side: one takes its photo in the
// open dialog, one a set from a second start (the one used last, a
// slideshow) and a frame from Page Down. Exit keeps all three; the next start
// brings them back where they were, and Close Ornament takes one away with its values.
TEST_F(MenuTest, NewOrnamentTwiceGivesThreeThatComeBackAfterExitAndCloseOrnamentTakesOneAway) {
  const ScratchFolder scratch("cherimo-ornaments");
  const std::string folder = scratch.path.string() + "\\", photo = folder + "square.png", keys = folder + "keys.png";
  ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", photo.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/keys.png", keys.c_str(), FALSE));
  // No splash: its going away may take the keys from a menu just opened.
  for (const auto& [name, value] : {std::pair("X1", 300u), std::pair("Y1", 300u), std::pair("Splash", 0u)}) {
    WriteDword(name, value);
  }
  WriteValue("Path", REG_SZ, folder.data(), static_cast<DWORD>(folder.size()));
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  HWND first = window;
  MenuKeys("n");
  HWND second = NewFrameWindow({first});
  ASSERT_NE(second, nullptr);
  MenuKeys("n");
  HWND third = NewFrameWindow({first, second});
  ASSERT_NE(third, nullptr);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  std::vector<Box> boxes;
  for (HWND each : {first, second, third}) {
    const Box box = BoxOf(each);
    for (const Box& other : boxes) {
      EXPECT_FALSE(box.left < other.left + other.width && other.left < box.left + box.width &&
                   box.top < other.top + other.height && other.top < box.top + box.height);
    }
    EXPECT_TRUE(box.left >= work.left && box.top >= work.top && box.left + box.width <= work.right &&
                box.top + box.height <= work.bottom);
    boxes.push_back(box);
  }
  window = second;
  InOpenDialog({"type --delay 5 '" + photo + "'", "key Return"});
  window = third;
  ASSERT_TRUE(OnWindow("click 1 key Next"));
  RunningProgram sender;
  ASSERT_TRUE(StartProgramProcess(sender, (Quoted(photo) + " " + Quoted(keys)).c_str()));
  EXPECT_EQ(WaitForExit(sender), 0);
  ASSERT_TRUE(PicturesInPlace(first));
  MenuKeys("x");
  EXPECT_EQ(WaitForExit(program), 0);
  const auto ornament = [](int number, const char* name) {
    return ReadRegValue(OrnamentKey(number).c_str(), name);
  };
  const auto frameOf = [&](int number) {
    const RegValue frame = ornament(number, "FrameID");
    return frame.present && frame.data.size() == 4 ? *reinterpret_cast<const int32_t*>(frame.data.data()) : 0;
  };
  EXPECT_EQ(std::string(ornament(2, "Photo").data.c_str()) + "|" + StoredText("Photo"), photo + "|");
  EXPECT_EQ(ornament(3, "SlideFiles").data, photo + '\0' + keys + '\0' + '\0');
  EXPECT_EQ(frameOf(3), FRAME_ID_DEFAULT + 1);

  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([] { return FrameWindows().size() == 3; }));
  std::vector<Box> again;
  HWND secondAgain = nullptr;
  for (HWND each : FrameWindows()) {
    again.push_back(BoxOf(each));
    if (again.back() == boxes[1]) secondAgain = each;
  }
  const auto byPlace = [](const Box& a, const Box& b) { return std::pair(a.left, a.top) < std::pair(b.left, b.top); };
  std::vector<Box> placed = boxes;
  std::sort(again.begin(), again.end(), byPlace);
  std::sort(placed.begin(), placed.end(), byPlace);
  EXPECT_EQ(again, placed);
  ASSERT_NE(secondAgain, nullptr);
  // The second goes with its photo; the third's values move up to its number.
  window = secondAgain;
  MenuKeys("c");
  ASSERT_TRUE(WaitUntil([] { return FrameWindows().size() == 2; }));
  window = FrameWindows().front();
  MenuKeys("x");
  EXPECT_EQ(WaitForExit(program), 0);
  EXPECT_EQ(std::tuple(frameOf(2), ornament(2, "Photo").data.empty(), ornament(3, "X1").present),
            std::tuple(FRAME_ID_DEFAULT + 1, false, false));
}

}  // namespace
