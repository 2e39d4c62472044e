// Photos and frames in folders whose names the old 8-bit code pages cannot
// spell: the program runs with UTF-8 as its code page, so such paths load
// from a drop, the command line and the stored settings, and come back from
// the registry as the same Unicode strings.
#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/program_fixture.h"

namespace {

namespace fs = std::filesystem;

// "Фото\写真 ❤" in a scratch folder, with a photo (200 x 200) and a custom
// frame in it; and the same photo at the end of paths of 250 and of 260 UTF-16
// units, mostly CJK (three bytes a letter in UTF-8, 85 letters a folder as
// Linux takes 255 bytes a name): Windows takes the first and not the second.
struct UnicodeFolder {
  ScratchFolder scratch{"cherimo-unicode"};
  fs::path folder = scratch.path / L"\u0424\u043e\u0442\u043e" / L"\u5199\u771f \u2764";
  std::wstring photo = (folder / L"\u5199\u771f.png").wstring(), frame = (folder / L"\u2764.png").wstring();
  std::wstring longPhoto = PhotoPathOfLength(250), tooLongPhoto = PhotoPathOfLength(260);

  UnicodeFolder() {
    for (const std::wstring& file : {photo, longPhoto, tooLongPhoto}) {
      fs::create_directories(fs::path(file).parent_path());
      fs::copy_file(CHERIMO_CORPUS_DIR "/images/halves.png", file);
    }
    fs::copy_file(CHERIMO_CORPUS_DIR "/images/frame.png", frame);
  }

  std::wstring PhotoPathOfLength(size_t units) const {
    std::wstring path = folder.wstring();
    while (units - path.size() > 86) path += L'\\' + std::wstring(80, L'\u5199');
    return path + L'\\' + std::wstring(units - path.size() - 5, L'\u5199') + L".png";
  }
};

// Through the test's own code page, UTF-8 too: a name that does not come back
// whole fails, whichever side lost it.
void WritePath(const char* name, const std::wstring& path) { WriteRegString(TEXT_SETTINGS_KEY, name, Utf8(path)); }

// A path as long as Windows takes loads from the settings, a drop and the open
// dialog and is kept whole; a longer one is refused and changes nothing.
TEST_F(FrameWindowTest, APathUpToTheLongestWindowsTakesLoadsFromEverySourceAndALongerOneIsRefused) {
  const UnicodeFolder folder;
  WritePath("Photo", folder.longPhoto);
  Start();
  EXPECT_EQ(std::tuple(Settings->W2, std::string(Settings->Photo)), std::tuple(200, Utf8(folder.longPhoto)));
  const std::function<void(const std::wstring&)> sources[] = {
      [&](const std::wstring& path) { Send(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path}))); },
      [&](const std::wstring& path) {
        const UINT_PTR timer = AnswerOpenDialog(Utf8(path));
        Send(WM_COMMAND, IDM_SELECT_PHOTO);
        KillTimer(nullptr, timer);
      }};
  for (const auto& give : sources) {
    Send(MSG_SET_PHOTO, DEFAULT_PHOTO_ID);
    give(folder.tooLongPhoto);
    EXPECT_EQ(std::tuple(Settings->W2, std::string(Settings->Photo)), std::tuple(87, Utf8(folder.longPhoto)));
    give(folder.longPhoto);
    EXPECT_EQ(std::tuple(Settings->W2, std::string(Settings->Photo)), std::tuple(200, Utf8(folder.longPhoto)));
  }
  // Refused when stored too, and kept there: a cut-off name would be written back over it.
  WritePath("Photo", folder.tooLongPhoto);
  LoadProgramSettings(*Stored);
  EXPECT_STREQ(Settings->Photo, "");
  SaveOrnaments();
  EXPECT_EQ(StoredText("Photo"), Utf8(folder.tooLongPhoto));
}

// "Open with", "Send to" and a drop on the icon start the program with a path:
// shown as a dropped photo, by the first start or by the running copy, to
// which a second start hands it and ends at once; any second start shows a
// copy started hidden. A path that does not decode, is too long or names a
// folder, and a WM_COPYDATA of the wrong form, change nothing.
TEST_F(RealProgramTest, APhotoPathFromExplorerShowsInTheFirstStartOrTheRunningCopyAndABadOneChangesNothing) {
  const UnicodeFolder folder;
  std::string photo = Utf8(folder.photo), frame = Utf8(folder.frame), longPhoto = Utf8(folder.longPhoto), tooLong(800, 'x');
  const std::string bad[] = {Quoted(Utf8(folder.tooLongPhoto)), Utf8(folder.folder), Quoted(photo + "x"),
                             CHERIMO_CORPUS_DIR "/bad/truncated.png", ""};
  const auto startAgain = [](const std::string& arguments) {
    RunningProgram again;
    const DWORD started = GetTickCount();
    return StartProgramProcess(again, arguments.c_str()) && WaitForExit(again) == 0 && GetTickCount() - started < 1000;
  };
  const auto run = [](const std::string& arguments, const std::function<void(HWND)>& meanwhile) {
    RunningProgram program;
    HWND window = StartedWindow(program, arguments.c_str());
    if (window) meanwhile(window);
    const bool ended = window && CloseAndWait(program, window) == 0;
    return (ended ? StoredText("Photo") : "") + "," + std::to_string(StoredDword("W2").value_or(-1));
  };
  // A stored custom frame and folder in the same Unicode folder.
  WritePath("Frame", folder.frame);
  WritePath("Path", folder.folder.wstring() + L"\\");
  WriteDword("FrameID", static_cast<DWORD>(FRAME_ID_CUSTOM));
  EXPECT_EQ(run(Quoted(photo) + " /a", [&](HWND window) {
    EXPECT_FALSE(IsWindowVisible(window));
    for (const std::string& path : bad) EXPECT_TRUE(startAgain(path)) << path;
    EXPECT_TRUE(IsWindowVisible(window));
    const DWORD length = static_cast<DWORD>(photo.size());
    // A relative path would be found from the running copy's folder, which the open dialog moves.
    std::string relative = "halves.png";
    COPYDATASTRUCT malformed[] = {{1, length + 1, photo.data()}, {COPYDATA_PHOTO_PATH, 0, nullptr},
                                  {COPYDATA_PHOTO_PATH, length, photo.data()}, {COPYDATA_PHOTO_PATH, 801, tooLong.data()},
                                  {COPYDATA_PHOTO_PATH, 11, relative.data()}};
    for (auto& data : malformed) EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_TRUE(PictureShown(window, [&] { return startAgain(Quoted(longPhoto)); }));
  }), longPhoto + ",200");
  // The frame decoded, so it stays chosen; the open dialog opens beside the photo.
  EXPECT_EQ(StoredText("Path") + "," + std::to_string(StoredDword("FrameID").value_or(0)), Utf8(fs::path(folder.longPhoto).parent_path()) + "\\,-1");
  EXPECT_EQ(run(bad[0], [&](HWND window) { EXPECT_TRUE(PictureShown(window, [&] { return startAgain(Quoted(frame)); })); }),
            frame + ",256");
  EXPECT_EQ(run(Quoted(longPhoto), [](HWND) {}), longPhoto + ",200");
}

}  // namespace
