// The autostart command and the shortcut paths: exact text, or nothing.
#include <gtest/gtest.h>

#include <string>

#include "desktop/link_paths.h"
#include "desktop/shortcuts.h"

namespace {

constexpr size_t BUFFER = 256;
const std::string LINK = "\\Brivanta Cherimo.lnk";
const std::string QUICK_LAUNCH = "\\Microsoft\\Internet Explorer\\Quick Launch";

struct CommandCase {
  std::string modulePath;
  std::string expected;
};

TEST(LinkPaths, TheAutostartCommandQuotesThePathAndEndsInTheSwitchOrIsRefused) {
  // Two quotes, a blank and the switch take five of the characters.
  const std::string longest(BUFFER - 1 - 5, 'p');
  const CommandCase cases[] = {
      {"C:\\Program Files\\cherimo.exe", "\"C:\\Program Files\\cherimo.exe\" /a"},
      {longest, "\"" + longest + "\" /a"},
      {longest + "p", ""},
      {"", ""},
  };
  for (const CommandCase& c : cases) {
    char command[BUFFER];
    memset(command, 'x', sizeof command);
    EXPECT_EQ(ComposeAutostartCommand(command, sizeof command, c.modulePath.c_str()), c.expected.empty() ? 0 : 1)
        << c.modulePath.size();
    EXPECT_EQ(command, c.expected) << c.modulePath.size();
  }
}

struct PathCase {
  std::string folder;
  size_t folderSize;
  int place;
  std::string expected;
};

TEST(LinkPaths, AShortcutPathFitsWholeWithItsZeroOrIsRefused) {
  const std::string desktopLongest(BUFFER - 1 - LINK.size(), 'd');
  const std::string quickLongest(BUFFER - 1 - LINK.size() - QUICK_LAUNCH.size(), 'q');
  const PathCase cases[] = {
      {"C:\\Desktop", 11, SHORTCUT_DESKTOP, "C:\\Desktop" + LINK},
      {"C:\\Start Menu", 14, SHORTCUT_START_MENU, "C:\\Start Menu" + LINK},
      {"C:\\AppData", 11, SHORTCUT_QUICK_LAUNCH, "C:\\AppData" + QUICK_LAUNCH + LINK},
      // Registry data stored without its zero ends where its size says.
      {"C:\\DesktopGARBAGE", 10, SHORTCUT_DESKTOP, "C:\\Desktop" + LINK},
      {desktopLongest, desktopLongest.size(), SHORTCUT_DESKTOP, desktopLongest + LINK},
      {desktopLongest + "d", desktopLongest.size() + 1, SHORTCUT_DESKTOP, ""},
      {quickLongest, quickLongest.size(), SHORTCUT_QUICK_LAUNCH, quickLongest + QUICK_LAUNCH + LINK},
      {quickLongest + "q", quickLongest.size() + 1, SHORTCUT_QUICK_LAUNCH, ""},
      {"", 1, SHORTCUT_DESKTOP, ""},
      {"C:\\Desktop", 11, 0, ""},
      {"C:\\Desktop", 11, 4, ""},
  };
  for (const PathCase& c : cases) {
    char path[BUFFER];
    memset(path, 'x', sizeof path);
    EXPECT_EQ(ComposeShortcutPath(path, sizeof path, c.folder.c_str(), c.folderSize, c.place),
              c.expected.empty() ? 0 : 1)
        << c.folder.size() << " " << c.place;
    EXPECT_EQ(path, c.expected) << c.folder.size() << " " << c.place;
  }
}

}  // namespace
