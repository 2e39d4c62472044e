// The About box: its template as the exe carries it, and how it opens and ends
// on the program's own frame window.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

// A walk over the UTF-16 strings and aligned records of a DLGTEMPLATEEX.
struct TemplateReader {
  const BYTE* at;
  template <typename T>
  T Next() {
    T value;
    memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
  }
  // A string, or an ordinal as "#number".
  std::string NameOrOrdinal() {
    if (Next<WORD>() == 0xFFFF) return "#" + std::to_string(Next<WORD>());
    at -= sizeof(WORD);
    std::string text;
    for (WORD c; (c = Next<WORD>()) != 0;) text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
  }
  void AlignToDword(const BYTE* start) { at += (4 - (at - start) % 4) % 4; }
};

struct Item {
  DWORD helpId, exStyle, style;
  short x, y, cx, cy;
  DWORD id;
  std::string windowClass, text;
  WORD extraBytes;
  bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << item.id << " " << item.windowClass << " style " << std::hex << item.style << std::dec << " at "
             << item.x << "," << item.y << " " << item.cx << "x" << item.cy << " \"" << item.text << "\"";
}

std::string CanonicalClass(std::string name) {
  if (name == "#128") return "BUTTON";
  if (name == "#130") return "STATIC";
  CharUpperA(name.data());
  return name;
}

TEST(AboutTemplate, TheExeCarriesExactlyTheStylesFontAndControlsOfTheBox) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  lstrcpyA(strrchr(exe, '\\') + 1, "cherimo.exe");
  HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_ABOUT), MAKEINTRESOURCEA(5));
  ASSERT_NE(found, nullptr);
  const BYTE* start = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  TemplateReader read{start};

  EXPECT_EQ(read.Next<WORD>(), 1) << "dlgVer";
  EXPECT_EQ(read.Next<WORD>(), 0xFFFF) << "signature";
  EXPECT_EQ(read.Next<DWORD>(), 0u) << "help id";
  EXPECT_EQ(read.Next<DWORD>(), 0x88u) << "extended style";
  EXPECT_EQ(read.Next<DWORD>(), 0x80C80ADCu) << "style";
  const WORD count = read.Next<WORD>();
  EXPECT_EQ(count, 8);
  const short box[4] = {read.Next<short>(), read.Next<short>(), read.Next<short>(), read.Next<short>()};
  EXPECT_EQ(std::vector<short>(box, box + 4), (std::vector<short>{0, 0, 216, 164}));
  EXPECT_EQ(read.NameOrOrdinal(), "") << "menu";
  EXPECT_EQ(read.NameOrOrdinal(), "") << "class";
  EXPECT_EQ(read.NameOrOrdinal(), "About Brivanta Cherimo");
  EXPECT_EQ(read.Next<WORD>(), 8) << "points";
  EXPECT_EQ(read.Next<WORD>(), 400) << "weight";
  EXPECT_EQ(read.Next<BYTE>(), 0) << "italic";
  EXPECT_EQ(read.Next<BYTE>(), 1) << "character set";
  EXPECT_EQ(read.NameOrOrdinal(), "MS Shell Dlg");

  // Class names count without case, and a predefined class may travel as its
  // ordinal (#128 Button, #130 Static): windres writes names in capitals.
  const Item expected[] = {
      {0, 0, 0x50010001, 134, 38, 50, 14, IDOK, "BUTTON", "OK", 0},
      {0, 0, 0x50010000, 10, 33, 121, 21, IDC_ABOUT_LINK, "BRIVANTALINKCLASS", TEXT_HOME_PAGE, 0},
      {0, 0, 0x50000007, 7, 7, 202, 51, IDC_ABOUT_GROUP, "BUTTON", "", 0},
      {0, 0, 0x50000003, 10, 13, 21, 20, IDC_ABOUT_ICON, "STATIC", "#100", 0},
      {0, 0, 0x50020000, 41, 13, 126, 18, IDC_ABOUT_NOTICE, "STATIC", TEXT_ABOUT_NOTICE, 0},
      {0, 0, 0x50000007, 7, 60, 202, 97, IDC_SHORTCUTS_GROUP, "BUTTON", "Keyboard && mouse shortcuts", 0},
      {0, 0, 0x50020000, 14, 71, 188, 50, IDC_SHORTCUTS_KEYS, "STATIC",
       "F1\t- Shows this box\nESC\t- Minimizes the window\n+\t- Increases the size of the frame\n"
       "-\t- Decreases the size of the frame\nPgUp\t- Previous frame\nPgDn\t- Next frame",
       0},
      {0, 0, 0x50020000, 14, 125, 188, 25, IDC_SHORTCUTS_MOUSE, "STATIC",
       "mouse WHEEL\t\t- resizes the frame\nCTRL + LEFT mouse button\t- moves the photo\n"
       "SHIFT + LEFT mouse button\t- resizes the photo",
       0},
  };
  for (int index = 0; index < count && index < 8; ++index) {
    read.AlignToDword(start);
    Item item;
    item.helpId = read.Next<DWORD>();
    item.exStyle = read.Next<DWORD>();
    item.style = read.Next<DWORD>();
    item.x = read.Next<short>();
    item.y = read.Next<short>();
    item.cx = read.Next<short>();
    item.cy = read.Next<short>();
    item.id = read.Next<DWORD>();
    item.windowClass = CanonicalClass(read.NameOrOrdinal());
    item.text = read.NameOrOrdinal();
    item.extraBytes = read.Next<WORD>();
    EXPECT_EQ(item, expected[index]) << "control " << index;
  }
  EXPECT_EQ(read.at - start, static_cast<ptrdiff_t>(SizeofResource(module, found))) << "nothing after the last";
  FreeLibrary(module);
}

// Posted messages leave a thread's queue in order: once this marker has been
// taken, everything posted to the box before it has been handled.
constexpr UINT MARKER = WM_APP + 7;
std::atomic<bool> MarkerTaken;

LRESULT CALLBACK WatchForMarker(int code, WPARAM removed, LPARAM lParam) {
  if (code == HC_ACTION && removed == PM_REMOVE && reinterpret_cast<const MSG*>(lParam)->message == MARKER) {
    MarkerTaken = true;
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

// What a second thread saw of the box while the frame window's thread ran it.
struct Seen {
  HWND owner = nullptr;
  bool ownerDisabled = false;
  std::string linkClass;
  bool openAfterEscape = false;
  bool ended = false;
};

class AboutBoxTest : public FrameWindowTest {
 protected:
  // Posts the opening message to the frame window, which then runs the box on
  // this thread; a second thread watches it, presses Escape and ends it with
  // the given message.
  Seen OpenAndEnd(UINT openMessage, WPARAM openWParam, UINT endMessage, WPARAM endWParam) {
    Seen seen;
    std::atomic<bool> done = false;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchForMarker, nullptr, GetCurrentThreadId());
    std::thread watcher([&] {
      HWND dialog = nullptr;
      // Shown once its controls exist and the owner has been disabled.
      WaitUntil([&] { return (dialog = FindWindowA("#32770", TEXT_ABOUT_TITLE)) && IsWindowVisible(dialog); });
      if (dialog) {
        seen.owner = GetWindow(dialog, GW_OWNER);
        seen.ownerDisabled = !IsWindowEnabled(FrameWindow);
        char name[64] = "";
        GetClassNameA(GetDlgItem(dialog, IDC_ABOUT_LINK), name, sizeof name);
        seen.linkClass = name;
        MarkerTaken = false;
        PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(dialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        PostMessageA(dialog, MARKER, 0, 0);
        seen.openAfterEscape = WaitUntil([] { return MarkerTaken.load(); }) && IsWindow(dialog);
        PostMessageA(dialog, endMessage, endWParam, endMessage == WM_KEYDOWN ? 0x001C0001 : 0);
        seen.ended = WaitUntil([&] { return !IsWindow(dialog); });
        // Whatever happened, the frame window's thread must get out of the box.
        if (!seen.ended) EndDialogFromOutside(dialog);
      }
      done = true;
    });
    PostMessageA(FrameWindow, openMessage, openWParam, 0);
    const bool finished = WaitUntil([&] { return done.load(); }, 30000);
    watcher.join();
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(finished);
    return seen;
  }

  static void EndDialogFromOutside(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(dialog); });
  }

  void ExpectTheFrameWindowWorksAgain() {
    EXPECT_TRUE(IsWindowEnabled(FrameWindow));
    const LONG width = WindowRect().right - WindowRect().left;
    Send(WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(WindowRect().right - WindowRect().left, width + 4);
  }
};

TEST_F(AboutBoxTest, F1OpensItOverTheFrameWindowEscapeLeavesItOpenEnterEndsIt) {
  Start();
  const Seen seen = OpenAndEnd(WM_KEYDOWN, VK_F1, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(seen.owner, FrameWindow);
  EXPECT_TRUE(seen.ownerDisabled) << "modal to the frame window";
  EXPECT_EQ(seen.linkClass, TEXT_LINK_CLASS) << "the link's class exists before the box";
  EXPECT_TRUE(seen.openAfterEscape);
  EXPECT_TRUE(seen.ended);
  ExpectTheFrameWindowWorksAgain();
}

TEST_F(AboutBoxTest, TheMenuItemOpensItAndTheCloseButtonEndsIt) {
  Start();
  const Seen seen = OpenAndEnd(WM_COMMAND, IDM_ABOUT, WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_EQ(seen.owner, FrameWindow);
  EXPECT_TRUE(seen.openAfterEscape);
  EXPECT_TRUE(seen.ended);
  ExpectTheFrameWindowWorksAgain();
}

}  // namespace
