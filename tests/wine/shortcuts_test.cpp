// The three shortcut commands: a link to the program where the user's shell
// folders say, nothing overwritten, nothing cut off, nothing in a wrong place.
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/texts.h"
#include "imaging/com_ref.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/program_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr char USER_SHELL_FOLDERS_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char LINK_NAME[] = "Brivanta Cherimo.lnk";

struct Place {
  unsigned command;
  const char* value;
  const char* subfolder;
};

constexpr Place PLACES[] = {
    {IDM_SHORTCUT_DESKTOP, "Desktop", ""},
    {IDM_SHORTCUT_START_MENU, "Start Menu", ""},
    {IDM_SHORTCUT_QUICK_LAUNCH, "AppData", "Microsoft\\Internet Explorer\\Quick Launch"},
};

void WriteFolderValue(const char* keyName, const char* name, DWORD type, const std::string& data) {
  WriteRegValue(keyName, name, type, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

// What a link holds, as "path|description|arguments|folder|icon|hotkey|show";
// empty when it does not load.
std::string ReadLink(const fs::path& file) {
  ComRef<IShellLinkA> link;
  ComRef<IPersistFile> persistFile;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persistFile.ReceiveVoid())) ||
      FAILED(persistFile->Load(file.wstring().c_str(), STGM_READ))) {
    return "";
  }
  char path[MAX_PATH] = "", description[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "",
       icon[MAX_PATH] = "";
  int iconIndex = 0, show = 0;
  WORD hotkey = 0;
  link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetDescription(description, MAX_PATH);
  link->GetArguments(arguments, MAX_PATH);
  link->GetWorkingDirectory(folder, MAX_PATH);
  link->GetIconLocation(icon, MAX_PATH, &iconIndex);
  link->GetHotkey(&hotkey);
  link->GetShowCmd(&show);
  return std::string(path) + "|" + description + "|" + arguments + "|" + folder + "|" + icon + "|" +
         std::to_string(hotkey) + "|" + std::to_string(show);
}

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int CountFiles(const fs::path& folder) {
  std::error_code error;
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

class ShortcutsTest : public FrameWindowTest {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    ASSERT_TRUE(fs::create_directories(shellDesktop));
    // The shell's own answer, kept inside the scratch folder too.
    WriteFolderValue(USER_SHELL_FOLDERS_KEY, "Desktop", REG_EXPAND_SZ, shellDesktop.string());
    Start();
  }

  // A folder named under Shell Folders, made unless told otherwise.
  fs::path NamedFolder(const Place& place, const std::string& name, bool make = true) {
    const fs::path folder = scratch.path / name;
    if (make) fs::create_directories(folder / place.subfolder);
    WriteFolderValue(TEXT_SHELL_FOLDERS_KEY, place.value, REG_SZ, folder.string());
    return folder / place.subfolder / LINK_NAME;
  }

  ScratchFolder scratch{"cherimo-shortcuts"};
  fs::path shellDesktop = scratch.path / "shell desktop";
};

TEST_F(ShortcutsTest, EachPlaceGetsALinkToTheProgramWithNothingElseSet) {
  for (const Place& place : PLACES) {
    const fs::path file = NamedFolder(place, place.value);
    Send(WM_COMMAND, place.command);
    EXPECT_EQ(ReadLink(file), std::string(ModulePath) + "|Brivanta Cherimo||||0|1") << file;
  }
}

TEST_F(ShortcutsTest, AnExistingFileOfThatNameIsLeftByteForByte) {
  const fs::path file = NamedFolder(PLACES[0], "Desktop");
  const std::string mine = "my own file, not a link\r\n";
  std::ofstream(file, std::ios::binary) << mine;
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  EXPECT_EQ(FileBytes(file), mine);
}

TEST_F(ShortcutsTest, AMissingOrNonStringFolderValueTakesTheShellsFolder) {
  const fs::path file = shellDesktop / LINK_NAME;
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  EXPECT_TRUE(!ReadLink(file).empty()) << "no value";

  fs::remove(file);
  const DWORD notAString = 7;
  WriteRegValue(TEXT_SHELL_FOLDERS_KEY, "Desktop", REG_DWORD, &notAString, sizeof notAString);
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  EXPECT_TRUE(!ReadLink(file).empty()) << "a number";
}

TEST_F(ShortcutsTest, AMissingQuickLaunchFolderOrAFolderTooLongForItsLinkGetsNothing) {
  NamedFolder(PLACES[2], "no quick launch", false);
  fs::create_directories(scratch.path / "no quick launch");
  Send(WM_COMMAND, IDM_SHORTCUT_QUICK_LAUNCH);
  EXPECT_FALSE(fs::exists(scratch.path / "no quick launch" / "Microsoft")) << "no folder is made for it";

  // Made, so that a cut-off name would have landed in it.
  const std::string name(255 - 1 - scratch.path.string().size() - (sizeof LINK_NAME - 1), 'x');
  NamedFolder(PLACES[0], name);
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  EXPECT_EQ(CountFiles(scratch.path), 0);
}

// The prefix's own Desktop folder is put back as it was.
class ShortcutProgramTest : public RealProgramTest {
 protected:
  void SetUp() override {
    RealProgramTest::SetUp();
    if (IsSkipped()) return;
    desktopBefore = ReadRegValue(TEXT_SHELL_FOLDERS_KEY, "Desktop");
    WriteFolderValue(TEXT_SHELL_FOLDERS_KEY, "Desktop", REG_SZ, scratch.path.string());
  }
  void TearDown() override {
    if (desktopBefore.present) {
      WriteRegValue(TEXT_SHELL_FOLDERS_KEY, "Desktop", desktopBefore.type, desktopBefore.data.data(),
                    static_cast<DWORD>(desktopBefore.data.size()));
    } else if (!IsSkipped()) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, TEXT_SHELL_FOLDERS_KEY, "Desktop");
    }
    RealProgramTest::TearDown();
  }

  ScratchFolder scratch{"cherimo-shortcut-start"};
  RegValue desktopBefore;
};

TEST_F(ShortcutProgramTest, ANewShortcutStartsTheProgramWithoutArgumentsInItsStoredShowState) {
  RunCommandOnce(IDM_SHORTCUT_DESKTOP);
  const std::string link = (scratch.path / LINK_NAME).string();
  ASSERT_TRUE(fs::exists(link));
  RunningProgram program;
  SHELLEXECUTEINFOA execute = {};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS;
  execute.lpFile = link.c_str();
  execute.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExA(&execute));
  program.process.hProcess = execute.hProcess;
  HWND window = StartUpEnded(FindFrameWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window)) << "the stored show state, not the hidden switch";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return CountRunningPrograms() == 0; }, 10000));
}

}  // namespace
