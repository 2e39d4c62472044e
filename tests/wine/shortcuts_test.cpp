// The three shortcut commands: a link to the program in the shell's known
// folders, or where the older Shell Folders key says; nothing overwritten (a
// notice says so), nothing cut off, nothing in a wrong place.
#include <fstream>
#include <iterator>

#include "app/texts.h"
#include "desktop/shortcuts.h"
#include "framewindow/context_menu.h"
#include "imaging/com_ref.h"
#include "splash/notice_window.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

namespace fs = std::filesystem;

constexpr char USER_SHELL_FOLDERS_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char LINK_NAME[] = "Brivanta Cherimo.lnk";

struct Place { unsigned command; const char* value; const char* subfolder; };
constexpr Place PLACES[] = {{IDM_SHORTCUT_DESKTOP, "Desktop", ""}, {IDM_SHORTCUT_START_MENU, "Programs", ""},
                            {IDM_SHORTCUT_QUICK_LAUNCH, "AppData", "Microsoft\\Internet Explorer\\Quick Launch"}};

// What a link holds that changes how the program starts or what the user sees
// of it, as "path|description|arguments|hotkey|show"; empty when it does not load.
std::string ReadLink(const fs::path& file) {
  ComRef<IShellLinkA> link;
  ComRef<IPersistFile> persistFile;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persistFile.ReceiveVoid())) ||
      FAILED(persistFile->Load(file.wstring().c_str(), STGM_READ))) {
    return "";
  }
  char path[MAX_PATH] = "", description[MAX_PATH] = "", arguments[MAX_PATH] = "";
  int show = 0;
  WORD hotkey = 0;
  link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetDescription(description, MAX_PATH);
  link->GetArguments(arguments, MAX_PATH);
  link->GetHotkey(&hotkey);
  link->GetShowCmd(&show);
  return std::string(path) + "|" + description + "|" + arguments + "|" + std::to_string(hotkey) + "|" +
         std::to_string(show);
}

class ShortcutsTest : public FrameWindowTest {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    ASSERT_TRUE(fs::create_directories(shellDesktop));
    // The shell's own answer, kept inside the scratch folder too.
    WriteRegString(USER_SHELL_FOLDERS_KEY, "Desktop", shellDesktop.string());
    Start();
  }

  // A folder named under Shell Folders, made with the place's subfolder unless told otherwise.
  fs::path NamedFolder(const Place& place, const fs::path& name, bool makeSubfolder = true) {
    const fs::path folder = scratch.path / name;
    fs::create_directories(makeSubfolder ? folder / place.subfolder : folder);
    WriteRegString(TEXT_SHELL_FOLDERS_KEY, place.value, Utf8(folder));
    return folder / place.subfolder / LINK_NAME;
  }

  ScratchFolder scratch{"cherimo-shortcuts"};
  fs::path shellDesktop = scratch.path / "shell desktop";
};

HRESULT WINAPI NoKnownFolders(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*) { return E_NOTIMPL; }

// The shell's known folders, as the user's shell folders name them: a link
// in each; a second one is not written, and a notice says why. Quick Launch
// is greyed where its folder is missing.
TEST_F(ShortcutsTest, EachKnownFolderGetsALinkAndASecondOneIsToldOfAndQuickLaunchIsGreyedWhereMissing) {
  const std::string link = std::string(ModulePath) + "|Brivanta Cherimo||0|1";
  const char* const told[] = {"on the Desktop", "in the Start menu", "in the Quick Launch bar"};
  for (size_t i = 0; i < std::size(PLACES); ++i) {
    const fs::path folder = scratch.path / "known" / PLACES[i].value;
    fs::create_directories(folder / PLACES[i].subfolder);
    WriteRegString(USER_SHELL_FOLDERS_KEY, PLACES[i].value, Utf8(folder));
    Send(WM_COMMAND, PLACES[i].command);
    EXPECT_EQ(ReadLink(folder / PLACES[i].subfolder / LINK_NAME), link) << folder;
    EXPECT_EQ(NoticeText(), "");
    Send(WM_COMMAND, PLACES[i].command);
    EXPECT_EQ(NoticeText(), std::string("A shortcut named \"Brivanta Cherimo\" is already ") + told[i] + ".");
    HideNotice();
  }
  HMENU addShortcut = GetSubMenu(ContextMenu, 11);
  const auto greyed = [&] {
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(addShortcut));
    return (GetMenuState(addShortcut, IDM_SHORTCUT_QUICK_LAUNCH, MF_BYCOMMAND) & MF_GRAYED) != 0;
  };
  EXPECT_FALSE(greyed());
  fs::create_directories(scratch.path / "no quick launch");
  WriteRegString(USER_SHELL_FOLDERS_KEY, "AppData", Utf8(scratch.path / "no quick launch"));
  EXPECT_TRUE(greyed());
}

// Without known folders (older Windows), the Shell Folders key names them;
// with a Desktop value that is not a string the shell names the folder.
TEST_F(ShortcutsTest, EachPlaceGetsALinkToTheProgramButNothingIsOverwrittenNoFolderIsMadeAndNoNameIsCutOff) {
  KnownFolderCall = NoKnownFolders;
  const std::string link = std::string(ModulePath) + "|Brivanta Cherimo||0|1";
  const DWORD notAString = 7;
  WriteRegValue(TEXT_SHELL_FOLDERS_KEY, "Desktop", REG_DWORD, &notAString, sizeof notAString);
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  EXPECT_EQ(ReadLink(shellDesktop / LINK_NAME), link) << "a number";
  fs::remove(shellDesktop / LINK_NAME);

  for (const Place& place : PLACES) {
    const fs::path file = NamedFolder(place, place.value);
    Send(WM_COMMAND, place.command);
    EXPECT_EQ(ReadLink(file), link) << file;
  }

  // The Desktop value still names the folder of the first link, which the user's own file now replaces.
  const fs::path file = scratch.path / "Desktop" / LINK_NAME;
  const std::string mine = "my own file, not a link\r\n";
  std::ofstream(file, std::ios::binary) << mine;
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  std::ifstream kept(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), mine);

  NamedFolder(PLACES[2], "no quick launch", false);
  Send(WM_COMMAND, IDM_SHORTCUT_QUICK_LAUNCH);
  EXPECT_FALSE(fs::exists(scratch.path / "no quick launch" / "Microsoft")) << "no folder is made for it";

  // Made, so that a cut-off name would have landed in it: folders of CJK letters (three bytes each in UTF-8,
  // 80 a folder as Linux takes 255 bytes a name) that leave the link's path one byte too long.
  const size_t length = PATH_BUFFER_SIZE - 2 - scratch.path.string().size() - (sizeof LINK_NAME - 1);
  std::wstring name;
  for (size_t bytes = 0; bytes + 3 <= length; bytes += name.back() == L'\\' ? 1 : 3) name += name.size() % 81 == 80 ? L'\\' : L'\u5199';
  name.append(length - fs::path(name).u8string().size(), L'x');
  NamedFolder(PLACES[0], name);
  Send(WM_COMMAND, IDM_SHORTCUT_DESKTOP);
  // Looked for past Windows' limit, which only the long form of a path is.
  const std::wstring cutOff = L"\\\\?\\" + (scratch.path / name / LINK_NAME).wstring();
  EXPECT_TRUE(GetFileAttributesW(cutOff.c_str()) == INVALID_FILE_ATTRIBUTES && fs::is_empty(shellDesktop));
}

}  // namespace
