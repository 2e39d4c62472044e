// The end of the session, the second start's hand-over and a slideshow resumed
// in the real exe (the hidden switch and bad paths: unicode_paths_test.cpp), and its icon.
#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

// "Open with" shows the window in front however it was left at the last exit.
// A second start while the About box is up brings the box forward: the frame
// it disabled must not take the keys, or F1 opens a second box.
TEST_F(RealProgramTest, AStartWithAPathShowsTheWindowInFrontAndASecondOneTheBoxThatIsUp) {
  for (const DWORD row : {0, 1, 2, 3}) {
    WriteDword("Show", 1 + row / 2);
    WriteDword("Taskbar", row % 2);
    RunningProgram program, again;
    HWND window = StartedWindow(program, Quoted(CHERIMO_CORPUS_DIR "/images/halves.png").c_str()), box = nullptr;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) && !IsIconic(window) && GetForegroundWindow() == window; }))
        << row;
    PostMessageA(window, WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowA("#32770", TEXT_ABOUT_TITLE)) && IsWindowVisible(box); }));
    ASSERT_TRUE(StartProgramProcess(again) && WaitForExit(again) == 0);
    GUITHREADINFO front = {sizeof front};
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &front);
    PostMessageA(front.hwndFocus, WM_KEYDOWN, VK_F1, 0);
    EXPECT_TRUE(front.hwndActive == box && Answers(window) && FindWindowA("#32770", TEXT_ABOUT_TITLE) == box);
    PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }) && CloseAndWait(program, window) == 0);
  }
}

// What reaches a copy that holds the mutex but makes its window only later,
// and whether it says it is ending.
std::vector<std::string> Received;
bool Ending;
LRESULT CALLBACK RecordHandOver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (message == WM_COPYDATA || message == MSG_SET_SHOW_STATE) {
    Received.emplace_back(data ? static_cast<const char*>(data->lpData) : "show");
  }
  // A program that goes on answers the show request.
  return message == MSG_SET_SHOW_STATE ? !Ending : DefWindowProcA(window, message, wParam, lParam);
}

// Explorer starts one process per file of a multi-selection, all at once:
// none gives up before the first one's window is there, each hands over its
// path made full, and each ends in time even when that window never answers.
// One that finds the copy ending waits for it to go and becomes the program.
TEST_F(RealProgramTest, StartsAtTheSameMomentWaitForTheWindowHandOverEveryPathAndEndInTimeWhenItHangs) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, TEXT_MUTEX_NAME);
  const std::string paths[] = {"C:\\photos\\a.png", "relative b.png", "\\\\server\\share\\c.png"};
  std::vector<std::string> expected(3, "show");
  RunningProgram starts[3], hung;
  for (int i = 0; i < 3; ++i) {
    char full[MAX_PATH];
    expected.emplace_back(full, GetFullPathNameA(paths[i].c_str(), MAX_PATH, full, nullptr));
    ASSERT_TRUE(StartProgramProcess(starts[i], Quoted(paths[i]).c_str()));
  }
  const auto ended = [&](int count) {
    const auto done = [](auto& start) { return WaitForSingleObject(start.process.hProcess, 0) == WAIT_OBJECT_0; };
    return std::count_if(starts, starts + 3, done) == count;
  };
  EXPECT_FALSE(WaitUntil([&] { return !ended(0); }, 1500)) << "a start gave up";
  WNDCLASSA recording = {0, RecordHandOver, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                         TEXT_FRAME_CLASS};
  ASSERT_TRUE(RegisterClassA(&recording));
  HWND window = CreateWindowExA(0, TEXT_FRAME_CLASS, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return ended(3); }));
  std::sort(Received.begin(), Received.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Received, expected);
  // This thread now answers nothing.
  const DWORD started = GetTickCount();
  ASSERT_TRUE(StartProgramProcess(hung, Quoted(paths[0]).c_str()));
  EXPECT_TRUE(WaitForSingleObject(hung.process.hProcess, 10000) == WAIT_OBJECT_0 && GetTickCount() - started < 10000);
  // A copy that says it is ending, then ends, leaves the start to be the program, with its photo.
  Ending = true;
  RunningProgram heir;
  ASSERT_TRUE(StartProgramProcess(heir, Quoted(CHERIMO_CORPUS_DIR "/images/halves.png").c_str()));
  EXPECT_FALSE(WaitUntil([&] { return FindWindowA(TEXT_FRAME_CLASS, nullptr) != window; }, 1000));
  DestroyWindow(window);
  ReleaseMutex(mutex);
  window = StartUpEnded(FindFrameWindow());
  EXPECT_TRUE(window && CloseAndWait(heir, window) == 0 && StoredDword("W2") == 200);
  CloseHandle(mutex);
}

// "Send to" with three files, a second start with three, and three starts at
// once with one path each: each is one slideshow of its three in name order,
// kept as the set given. A list handed over is checked as a single path is.
TEST_F(RealProgramTest, SeveralFilesFromExplorerAreOneSlideshow) {
  const ScratchFolder scratch("cherimo-several");
  std::string paths[6];
  for (int i = 0; i < 6; ++i) {
    paths[i] = scratch.path.string() + "\\" + static_cast<char>('a' + i) + ".png";
    ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", paths[i].c_str(), FALSE));
  }
  const auto shownAndKept = [](RunningProgram& program, HWND window) {
    const bool ended = window && PicturesInPlace(window) && CloseAndWait(program, window) == 0;
    return (ended ? StoredText("Photo") : "") + "|" + ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles").data;
  };
  const auto set = [&](std::initializer_list<int> files) {
    std::string packed;
    for (int i : files) packed += paths[i] + '\0';
    return packed + '\0';
  };
  RunningProgram sendTo, running, again;
  HWND window = StartedWindow(sendTo, (Quoted(paths[2]) + " " + Quoted(paths[0]) + " " + Quoted(paths[1])).c_str());
  EXPECT_EQ(shownAndKept(sendTo, window), paths[0] + "|" + set({2, 0, 1}));
  window = StartedWindow(running);
  ASSERT_TRUE(StartProgramProcess(again, (paths[4] + " " + paths[3] + " /a " + paths[5]).c_str()));
  EXPECT_EQ(WaitForExit(again), 0);
  std::string bad[] = {set({0}).substr(1), set({0}).substr(0, paths[0].size() + 1), "C:\\a\0\0C:\\b\0\0",
                       std::string("a.png\0\0", 7)};
  for (std::string& data : bad) {
    COPYDATASTRUCT list = {COPYDATA_PHOTO_PATHS, static_cast<DWORD>(data.size()), data.data()};
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&list)), 0);
  }
  EXPECT_EQ(shownAndKept(running, window), paths[3] + "|" + set({4, 3, 5}));

  RunningProgram starts[3];
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(StartProgramProcess(starts[i], Quoted(paths[i]).c_str()));
  window = StartUpEnded(FindFrameWindow());
  const auto ended = [&](RunningProgram& start) { return WaitForSingleObject(start.process.hProcess, 0) == WAIT_OBJECT_0; };
  EXPECT_TRUE(WaitUntil([&] { return std::count_if(starts, starts + 3, ended) == 2; }, 10000));
  RunningProgram& first = *std::find_if(starts, starts + 3, [&](RunningProgram& start) { return !ended(start); });
  const std::string kept = shownAndKept(first, window);
  const auto has = [&](int i) { return kept.find(paths[i] + '\0') != std::string::npos; };
  EXPECT_TRUE(has(0) && has(1) && has(2) && kept.size() == kept.find('|') + 1 + set({0, 1, 2}).size())
      << "one set of the three, in the order they came";
}

// Only an ending session writes the settings, and before the process is ended.
TEST_F(RealProgramTest, TheEndOfTheSessionWritesTheSettings) {
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 77, 88, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(window, WM_ENDSESSION, FALSE, 0);
  EXPECT_NE(StoredDword("X1"), 77) << "a cancelled session end writes nothing";
  SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  TerminateProcess(program.process.hProcess, 1);
  WaitForExit(program);
  EXPECT_EQ(StoredDword("X1"), 77);
}

// The program icon as the shell reads it from the exe: every size Windows
// asks for at the common display scales with alpha, 32 x 32 also in 16 and
// 256 colours, and 256 x 256 as PNG.
TEST(ProgramIcon, TheExeHoldsEverySizeWindowsAsksFor) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(std::strrchr(exe, '\\') + 1, "cherimo.exe");
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const auto resource = [module](unsigned id, LPCSTR type) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    return found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
  };
  const BYTE* group = resource(IDI_PROGRAM, RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  std::vector<std::tuple<int, int, bool>> images;  // side, bits per pixel, PNG
  for (int i = 0; i < (group[4] | group[5] << 8); ++i) {
    const BYTE* entry = group + 6 + 14 * i;  // the directory entry with a 16-bit resource id at its end
    const BYTE* image = resource(entry[12] | entry[13] << 8, RT_ICON);
    ASSERT_NE(image, nullptr);
    images.emplace_back(entry[0] ? entry[0] : 256, entry[6] | entry[7] << 8, std::memcmp(image, "\x89PNG", 4) == 0);
  }
  FreeLibrary(module);
  EXPECT_EQ(images, (std::vector<std::tuple<int, int, bool>>{{16, 32, false}, {20, 32, false}, {24, 32, false},
                                                             {32, 4, false}, {32, 8, false}, {40, 32, false},
                                                             {48, 32, false}, {64, 32, false}, {256, 32, true}}));
}

// The slideshow goes on from the photo shown at the end: by name in the
// stored folder, or in the stored set when there is no folder.
TEST_F(RealProgramTest, TheSlideshowGoesOnAfterARestartFromThePhotoShown) {
  const ScratchFolder scratch("cherimo-resume");
  const std::string folder = scratch.path.string(), b = folder + "\\b.png", c = folder + "\\c.png";
  for (const char* name : {"a.png", "b.png", "c.png"}) {
    ASSERT_TRUE(CopyFileA(CHERIMO_CORPUS_DIR "/images/photo.png", (folder + "\\" + name).c_str(), FALSE));
  }
  const auto nextAfterRestart = [](const std::string& photo) {
    WriteRegString(TEXT_SETTINGS_KEY, "Photo", photo);
    RunningProgram program;
    HWND window = StartedWindow(program);
    DWORD_PTR result;
    const bool ended = window && PictureShown(window, [&] {
      return SendMessageTimeoutA(window, WM_KEYDOWN, VK_RIGHT, 0, SMTO_BLOCK, 10000, &result) != 0;
    }) && CloseAndWait(program, window) == 0;
    return ended ? StoredText("Photo") : "";
  };
  WriteDword("SlideInterval", 0);
  WriteRegString(TEXT_SETTINGS_KEY, "SlideFolder", folder);
  EXPECT_EQ(nextAfterRestart(b), c);
  const std::string set = b + '\0' + c + '\0' + '\0';
  WriteRegString(TEXT_SETTINGS_KEY, "SlideFolder", "");
  WriteValue("SlideFiles", REG_MULTI_SZ, set.data(), static_cast<DWORD>(set.size()));
  EXPECT_EQ(nextAfterRestart(c), b);
  EXPECT_EQ(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles"), (RegValue{true, REG_MULTI_SZ, set}));
}

// A file from Explorer that cannot be shown, given to a fresh start or handed
// to the running copy by a second one, is named in one notice with why;
// nothing is stored.
TEST_F(RealProgramTest, AFileFromExplorerThatCannotBeShownIsNamedInANoticeAndNothingIsStored) {
  const std::pair<std::string, std::string> files[] = {
      {"missing.jpg", "there is no such file"}, {"letter.jpg", "it is not a picture"},
      {"truncated.jpg", "the picture is damaged"},
      {"wide.jpg", "the picture is too large (30000 x 20000 pixels; at most 64 megapixels are taken)"}};
  const auto said = [](const auto& file) { return "Cannot show \"" + file.first + "\": " + file.second + "."; };
  const auto path = [](const auto& file) { return Quoted(CHERIMO_CORPUS_DIR "/bad/" + file.first); };
  for (size_t i = 0; i < std::size(files); ++i) {
    const auto& handedOver = files[(i + 1) % std::size(files)];
    RunningProgram program, again;
    HWND window = StartedWindow(program, path(files[i]).c_str());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return NoticeText() == said(files[i]); })) << NoticeText();
    ASSERT_TRUE(StartProgramProcess(again, path(handedOver).c_str()) && WaitForExit(again) == 0);
    // Alone, or with the first if it came within a second: "None of the 2 files can be shown. "name": why."
    const std::string ending = said(handedOver).substr(sizeof "Cannot show " - 1);
    EXPECT_TRUE(WaitUntil([&] { return NoticeText().ends_with(ending); })) << NoticeText();
    EXPECT_EQ(CloseAndWait(program, window), 0);
    EXPECT_EQ(StoredText("Photo") + "|" + StoredText("Path"), "|");
  }
}

// While a 48-megapixel photo handed over loads, the window answers at once
// throughout; a gigabyte file named .jpg that begins as no picture is refused
// within a second, without being read.
TEST_F(RealProgramTest, TheWindowAnswersWhileALargePhotoLoadsAndAFileThatIsNoPictureIsRefusedUnread) {
  const ScratchFolder scratch("cherimo-worker");
  const std::string zeros = scratch.path.string() + "\\zeros.jpg";
  HANDLE file = CreateFileA(zeros.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER size = {};
  size.QuadPart = int64_t{1} << 30;
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);
  window = StartedWindow(program);
  ASSERT_NE(window, nullptr);
  const auto handOver = [](const std::string& path) {
    RunningProgram again;
    return StartProgramProcess(again, Quoted(path).c_str()) && WaitForExit(again) == 0;
  };
  const DWORD started = GetTickCount();
  ASSERT_TRUE(handOver(zeros));
  EXPECT_TRUE(WaitUntil([&] { return NoticeText() == "Cannot show \"zeros.jpg\": it is not a picture."; }, 1000));
  EXPECT_LT(GetTickCount() - started, 1000u);
  ASSERT_TRUE(handOver(CHERIMO_CORPUS_DIR "/images/large-48mp.png"));
  DWORD slowest = 0;
  int late = 0;
  EXPECT_TRUE(WaitUntil([&] {
    const DWORD asked = GetTickCount();
    DWORD_PTR result;
    late += !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 100, &result);
    slowest = std::max(slowest, GetTickCount() - asked);
    return !PicturesPending(window);
  }, 20000));
  EXPECT_EQ(late, 0) << "slowest answer " << slowest << " ms";
  ASSERT_EQ(CloseAndWait(program, window), 0);
  EXPECT_EQ(StoredDword("W2"), 8000);
}

}  // namespace
