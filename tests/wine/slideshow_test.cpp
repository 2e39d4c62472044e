// The slideshow through the frame window's messages: a folder of good,
// corrupt and other files walked by key and by the timer, its pauses, and
// the settings it leaves.
#include <shlobj.h>

#include <algorithm>
#include <set>
#include <string>

#include "framewindow/context_menu.h"
#include "framewindow/file_dialogs.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slideshow.h"
#include "splash/notice_window.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/imaging_files.h"

namespace {

std::string ChosenFolder;
int ChooseFolder(const char*, char* folder) {
  lstrcpyA(folder, ChosenFolder.c_str());
  return 1;
}

std::string ShownName() {
  const char* slash = std::strrchr(Settings->Photo, '\\');
  return slash ? slash + 1 : Settings->Photo;
}

// As the menu shows it when it opens.
bool Greyed(unsigned command) {
  PrepareContextMenu();
  return (GetMenuState(ContextMenu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

class SlideshowTest : public FrameWindowTest {
 protected:
  ScratchFolder folder{"cherimo-slides"};
  void Put(const char* corpusName, const char* name) {
    ASSERT_TRUE(CopyFileA(CorpusFile(corpusName).c_str(), (folder.path.string() + "\\" + name).c_str(), FALSE));
  }
  // The names shown by each key in turn.
  std::string Walk(std::initializer_list<WPARAM> keys) {
    std::string shown;
    for (WPARAM key : keys) shown += (Send(WM_KEYDOWN, key), ShownName()) + " ";
    return shown;
  }
};

// A folder without pictures refused with a notice, then name order, corrupt
// and other files passed over quietly, subfolders left out, the round's end,
// Left, and a file added joining at the next round; then the timer, which
// waits while the window is hidden or the pointer is on it; a folder emptied
// said once, Next greyed until a picture is back.
TEST_F(SlideshowTest, AFolderIsWalkedByKeyAndTimerInNameOrderPassingOverWhatDoesNotDecode) {
  CreateDirectoryA((folder.path.string() + "\\sub.jpg").c_str(), nullptr);
  WriteDword("SlideInterval", 0);
  Start();
  EXPECT_TRUE(Greyed(IDM_SLIDES_NEXT) && Greyed(IDM_SLIDES_STOP));
  ChosenFolder = folder.path.string();
  ChooseFolderCall = ChooseFolder;
  const std::string empty = "Cannot show the photos in \"" + folder.path.filename().string() + "\": there are no pictures in it.";
  Put("bad/truncated.jpg", "IMG_1.jpg");
  Send(WM_COMMAND, IDM_SLIDES_FOLDER);
  EXPECT_EQ(NoticeText(), empty);
  EXPECT_TRUE(Greyed(IDM_SLIDES_NEXT) && Greyed(IDM_SLIDES_STOP) && Settings->SlideFolder[0] == '\0');
  HideNotice();
  for (const auto& [from, to] : {std::pair{"images/photo.jpg", "IMG_2.jpg"}, {"images/photo.png", "img_10.png"},
                                  {"images/keys.bmp", "a.bmp"}, {"images/photo.jpg", "notes.txt"}}) {
    Put(from, to);
  }
  Send(WM_COMMAND, IDM_SLIDES_FOLDER);
  EXPECT_EQ(ShownName(), "a.bmp");
  EXPECT_FALSE(Greyed(IDM_SLIDES_NEXT) || Greyed(IDM_SLIDES_PREVIOUS) || Greyed(IDM_SLIDES_STOP));
  EXPECT_EQ(Walk({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT}), "IMG_2.jpg img_10.png a.bmp img_10.png IMG_2.jpg ");
  EXPECT_EQ(std::tuple(Settings->X2, Settings->Y2, Settings->W3, Settings->H3), std::tuple(8, 0, 16, 16)) << "filled by 32 x 16";
  Put("images/keys.gif", "IMG_3.gif");
  EXPECT_EQ(Walk({VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT}), "img_10.png a.bmp IMG_2.jpg IMG_3.gif ");
  // The photo shown gone from the folder, and the round listed again: Left shows the picture before its place.
  DeleteFileW((folder.path / "IMG_3.gif").c_str());
  for (int i = 0; i < 2; ++i) Send(WM_COMMAND, IDM_SLIDES_RANDOM);
  EXPECT_EQ(Walk({VK_LEFT}), "IMG_2.jpg ");
  Put("images/keys.gif", "IMG_3.gif");
  for (int i = 0; i < 2; ++i) Send(WM_COMMAND, IDM_SLIDES_RANDOM);
  EXPECT_EQ(Walk({VK_RIGHT}), "IMG_3.gif ");

  // Ten seconds of ten milliseconds each.
  SlideSecondMs = 1;
  Send(WM_COMMAND, IDM_SLIDES_INTERVAL_FIRST);
  RECT rect;
  GetWindowRect(FrameWindow, &rect);
  SetCursorPos(rect.left - 50, rect.bottom + 50);
  EXPECT_TRUE(WaitUntil([] { return ShownName() == "img_10.png"; }));
  Send(MSG_SET_SHOW_STATE, 2);
  EXPECT_FALSE(WaitUntil([] { return ShownName() != "img_10.png"; }, 300)) << "nothing changes while hidden";
  Send(MSG_SET_SHOW_STATE, 1);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  EXPECT_FALSE(WaitUntil([] { return ShownName() != "img_10.png"; }, 300)) << "nor under the pointer";
  SetCursorPos(rect.left - 50, rect.bottom + 50);
  EXPECT_TRUE(WaitUntil([] { return ShownName() == "a.bmp"; }));

  // Random order and back on the last picture by name: the walk goes on from it.
  // The long interval first, before another tick can come.
  SendMessageA(FrameWindow, WM_COMMAND, IDM_SLIDES_INTERVAL_FIRST + 5, 0);
  EXPECT_EQ(Walk({VK_LEFT}), "img_10.png ");
  for (int i = 0; i < 2; ++i) Send(WM_COMMAND, IDM_SLIDES_RANDOM);
  EXPECT_EQ(Walk({VK_LEFT}), "IMG_3.gif ");
  // A random round holds every picture once, and with two left each starts
  // with the one not shown last; the folder and the interval are kept; a
  // photo chosen alone ends the show.
  Send(WM_COMMAND, IDM_SLIDES_RANDOM);
  PrepareContextMenu();
  EXPECT_TRUE(GetMenuState(ContextMenu, IDM_SLIDES_RANDOM, MF_BYCOMMAND) & MF_CHECKED);
  Send(WM_COMMAND, IDM_SLIDES_FOLDER);
  std::set<std::string> round = {ShownName() + " "};
  for (int step = 0; step < 3; ++step) round.insert(Walk({VK_RIGHT}));
  EXPECT_EQ(round, (std::set<std::string>{"IMG_2.jpg ", "IMG_3.gif ", "a.bmp ", "img_10.png "}));
  for (const char* name : {"IMG_1.jpg", "IMG_2.jpg", "IMG_3.gif"}) DeleteFileW((folder.path / name).c_str());
  for (int step = 0; step < 24; ++step) {
    const std::string last = ShownName();
    Send(WM_KEYDOWN, VK_RIGHT);
    EXPECT_NE(ShownName(), last);
  }
  EXPECT_EQ(NoticeText(), "") << "passed over quietly";
  for (const char* name : {"a.bmp", "img_10.png"}) DeleteFileW((folder.path / name).c_str());
  std::string told;
  for (int step = 0; step < 2; ++step) {
    Send(WM_KEYDOWN, VK_RIGHT);
    told += NoticeText() + "|";
    HideNotice();
  }
  EXPECT_EQ(told, empty + "||");
  EXPECT_TRUE(Greyed(IDM_SLIDES_NEXT) && Greyed(IDM_SLIDES_PREVIOUS) && !Greyed(IDM_SLIDES_STOP));
  Put("images/keys.bmp", "a.bmp");
  EXPECT_EQ(Walk({VK_RIGHT}), "a.bmp ");
  EXPECT_FALSE(Greyed(IDM_SLIDES_NEXT));
  SaveOrnaments();
  EXPECT_EQ(StoredText("SlideFolder"), folder.path.string());
  EXPECT_EQ(StoredDword("SlideInterval"), 0);
  Send(MSG_SET_PHOTO, reinterpret_cast<WPARAM>(CorpusFile("images/photo.png").c_str()));
  EXPECT_TRUE(Greyed(IDM_SLIDES_NEXT) && Greyed(IDM_SLIDES_STOP));
  EXPECT_EQ(Settings->SlideFolder[0], '\0');
}

// A slide whose file never answers (a pipe that a writer holds and writes
// nothing to, as an offline network file would) is given up after the
// worker's time-out: the window went on answering, the next picture shows,
// and later pictures load on a new worker.
TEST_F(SlideshowTest, ASlideThatNeverAnswersIsPassedOverAndTheWindowKeepsAnswering) {
  PictureWorkTimeoutMs = 300;
  Start();
  const std::string stem = "/tmp/cherimo-silent-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(MakeSilentPipe(stem + "-b.jpg", 5));
  std::string windowsStem = "Z:" + stem;
  std::replace(windowsStem.begin(), windowsStem.end(), '/', '\\');
  const std::string first = windowsStem + "-a.png", silent = windowsStem + "-b.jpg", last = windowsStem + "-c.jpg";
  ASSERT_TRUE(CopyFileA(CorpusFile("images/photo.png").c_str(), first.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(CorpusFile("images/photo.jpg").c_str(), last.c_str(), FALSE));
  const std::string set = first + '\0' + silent + '\0' + last + '\0' + '\0';
  ShowPhotoSet(set.data(), set.size());
  // The first shows while the worker is stuck on the pipe ahead of it.
  ASSERT_TRUE(WaitUntil([&] { return Settings->Photo == first; }));
  const DWORD started = GetTickCount();
  SendMessageA(FrameWindow, WM_KEYDOWN, VK_RIGHT, 0);
  int turns = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++turns && Settings->Photo == last; })) << Settings->Photo;
  EXPECT_GE(GetTickCount() - started, 300u);
  EXPECT_GT(turns, 10) << "the window's messages went on meanwhile";
  EXPECT_EQ(NoticeText(), "") << "passed over quietly";
  Send(MSG_SET_PHOTO, reinterpret_cast<WPARAM>(first.c_str()));
  EXPECT_EQ(Settings->Photo, first);

  // A result replaced before the window took it is dropped: its message,
  // come meanwhile, leaves the photo as it is while the newer one loads.
  ASSERT_TRUE(MakeSilentPipe(stem + "-d.jpg", 5));
  const std::string silentAgain = windowsStem + "-d.jpg";
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(last.c_str()), 0);
  MSG ready;
  const auto readyQueued = [&] {
    return PeekMessageA(&ready, FrameWindow, MSG_PICTURE_READY, MSG_PICTURE_READY, PM_NOREMOVE) != 0;
  };
  for (const DWORD asked = GetTickCount(); !readyQueued() && GetTickCount() - asked < 5000;) Sleep(1);
  SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(silentAgain.c_str()), 0);
  ASSERT_TRUE(PeekMessageA(&ready, FrameWindow, MSG_PICTURE_READY, MSG_PICTURE_READY, PM_REMOVE));
  DispatchMessageA(&ready);
  EXPECT_EQ(std::pair(std::string(Settings->Photo), Settings->W2), std::pair(first, 256));
  AwaitPictures();
  for (const std::string& path : {first, last}) DeleteFileA(path.c_str());
}

}  // namespace
