// The context menu and the open dialog of the real exe, driven by real mouse
// and keyboard input from xdotool; the registry is read after the program ends.
#include <string>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

std::string MoveOnto(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return "mousemove " + std::to_string((rect.left + rect.right) / 2) + " " + std::to_string((rect.top + rect.bottom) / 2);
}

HWND VisibleWindow(const char* className, const char* title) {
  HWND found = FindWindowA(className, title);
  return found && IsWindowVisible(found) ? found : nullptr;
}

// A built-in frame picture written out as a photo file of 256 x 256 pixels.
bool WriteFramePicture(int32_t frameId, const std::string& path) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(frameId), TEXT_IMAGE_RESOURCE_TYPE);
  if (!found) return false;
  const void* bytes = LockResource(LoadResource(nullptr, found));
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes, SizeofResource(nullptr, found), &written, nullptr);
  CloseHandle(file);
  return ok != 0;
}

class MenuTest : public RealProgramTest {
 protected:
  void SetUp() override {
    RealProgramTest::SetUp();
    if (IsSkipped()) return;
    WriteDword("X1", 400);
    WriteDword("Y1", 300);
    window = StartedWindow(program);
    ASSERT_NE(window, nullptr);
  }

  // A right click on the frame; the pointer stays on it, where the menu's keys go.
  void OpenMenu() const {
    ASSERT_TRUE(RunXdotool(MoveOnto(window) + " click 3"));
    ASSERT_TRUE(WaitUntil([] { return VisibleWindow("#32768", nullptr) != nullptr; }));
  }

  // Select Photo... shares its mnemonic S with two other items, which Windows
  // cycles through and Wine does not: the arrow keys reach it on both.
  HWND OpenPhotoDialog() const {
    OpenMenu();
    EXPECT_TRUE(RunXdotool("mousemove_relative -- -3 -3 key --delay 20 Down Down Down Down Down Down Down Down Down Return"));
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (dialog = VisibleWindow("#32770", TEXT_OPEN_DIALOG_TITLE)) != nullptr; }));
    return dialog;
  }

  void ExitThroughTheMenu() {
    OpenMenu();
    ASSERT_TRUE(RunXdotool("key x"));
    EXPECT_EQ(WaitForExit(program), 0);
  }

  RunningProgram program;
  HWND window = nullptr;
};

TEST_F(MenuTest, ExitEndsTheProgramAndTheSettingsAreStored) {
  ASSERT_TRUE(RunXdotool(MoveOnto(window) + " key plus"));
  ASSERT_TRUE(WaitUntil([&] {
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.right - rect.left == 104;
  }));
  ExitThroughTheMenu();
  EXPECT_EQ(StoredDword("W1"), 104);
}

TEST_F(MenuTest, AlwaysOnTheTopTogglesTheTopmostBit) {
  const auto topmost = [&] { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  OpenMenu();
  ASSERT_TRUE(RunXdotool("key a"));
  ASSERT_TRUE(WaitUntil([&] { return !topmost(); }));
  ExitThroughTheMenu();
  EXPECT_EQ(StoredDword("AlwaysOnTheTop"), 0);
}

TEST_F(MenuTest, ATypedPathInTheOpenDialogBecomesThePhotoAndItsFolderIsRemembered) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "cherimo-menu\\", photo = folder + "square.png";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteFramePicture(2010, photo));

  HWND dialog = OpenPhotoDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(RunXdotool(MoveOnto(dialog) + " type --delay 5 '" + photo + "'"));
  ASSERT_TRUE(RunXdotool("key Return"));
  ASSERT_TRUE(WaitUntil([] { return VisibleWindow("#32770", TEXT_OPEN_DIALOG_TITLE) == nullptr; }));
  ExitThroughTheMenu();
  std::string path, stored;
  EXPECT_TRUE(ReadString("Path", &path));
  EXPECT_EQ(path, folder);
  EXPECT_TRUE(ReadString("Photo", &stored));
  EXPECT_EQ(stored, photo);
  EXPECT_EQ(StoredDword("W2"), 256);
  EXPECT_EQ(StoredDword("H2"), 256);
  DeleteFileA(photo.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(MenuTest, EscapeInTheOpenDialogChangesNothing) {
  HWND dialog = OpenPhotoDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(RunXdotool(MoveOnto(dialog) + " key Escape"));
  ASSERT_TRUE(WaitUntil([] { return VisibleWindow("#32770", TEXT_OPEN_DIALOG_TITLE) == nullptr; }));
  ExitThroughTheMenu();
  std::string path = "unread";
  ReadString("Path", &path);
  EXPECT_EQ(path, "");
  EXPECT_EQ(StoredDword("W2"), 87);
}

}  // namespace
