// The autostart command and the shortcut paths: exact text, or nothing.
#include <gtest/gtest.h>

#include <string>

#include "app/path_list_rules.h"
#include "desktop/link_paths.h"
#include "framewindow/photo_paths.h"

namespace {

constexpr size_t BUFFER = 256;
const std::string LINK = "\\Brivanta Cherimo.lnk";
const std::string QUICK_LAUNCH = "\\Microsoft\\Internet Explorer\\Quick Launch";

// The command and the shortcut paths fit whole with their zero or are refused;
// a handed-over path is full only with its drive or share.
TEST(LinkPaths, TheCommandShortcutAndHandedOverPathsAreWholeOrRefused) {
  const std::string command(BUFFER - 1 - 5, 'p');  // two quotes, a blank and the switch take five
  const std::string desktop(BUFFER - 1 - LINK.size(), 'd');
  const std::string quick(BUFFER - 1 - LINK.size() - QUICK_LAUNCH.size(), 'q');
  // For the command (folderSize 0) folder is the module path; nothing is expected when refused.
  const struct { std::string folder; size_t folderSize; int place; std::string expected; } cases[] = {
      {"C:\\Program Files\\cherimo.exe", 0, 0, "\"C:\\Program Files\\cherimo.exe\" /a"},
      {command, 0, 0, "\"" + command + "\" /a"}, {command + "p", 0, 0, ""}, {"", 0, 0, ""},
      {"C:\\Desktop", 11, SHORTCUT_DESKTOP, "C:\\Desktop" + LINK},
      {"C:\\Start Menu", 14, SHORTCUT_START_MENU, "C:\\Start Menu" + LINK},
      {"C:\\AppData", 11, SHORTCUT_QUICK_LAUNCH, "C:\\AppData" + QUICK_LAUNCH + LINK},
      {"C:\\DesktopGARBAGE", 10, SHORTCUT_DESKTOP, "C:\\Desktop" + LINK},  // data without its zero ends at its size
      {desktop, desktop.size(), SHORTCUT_DESKTOP, desktop + LINK},
      {desktop + "d", desktop.size() + 1, SHORTCUT_DESKTOP, ""}, {"", 1, SHORTCUT_DESKTOP, ""},
      {quick, quick.size(), SHORTCUT_QUICK_LAUNCH, quick + QUICK_LAUNCH + LINK},
      {quick + "q", quick.size() + 1, SHORTCUT_QUICK_LAUNCH, ""},
      {"C:\\Desktop", 11, SHORTCUT_DESKTOP - 1, ""}, {"C:\\Desktop", 11, SHORTCUT_QUICK_LAUNCH + 1, ""}};
  for (const auto& c : cases) {
    std::string text(BUFFER + 1, 'x');
    const int composed = c.folderSize ? ComposeShortcutPath(text.data(), BUFFER, c.folder.c_str(), c.folderSize, c.place)
                                      : ComposeAutostartCommand(text.data(), BUFFER, c.folder.c_str());
    // One guard byte past the buffer stays.
    EXPECT_EQ(std::to_string(composed) + text.substr(0, strnlen(text.c_str(), BUFFER)) + text[BUFFER],
              (c.expected.empty() ? "0" : "1") + c.expected + 'x')
        << c.folder.size() << " " << c.place;
  }

  // A handed-over photo path is full or refused; its folder fits whole or is not taken.
  const struct { const char* path; int full; std::string folder; } handedOver[] = {
      {"C:\\a\\b.png", 1, "C:\\a\\"}, {"z:/b.png", 1, "z:/"}, {"Z:\\b", 1, "Z:\\"}, {"A:\\b", 1, "A:\\"},
      {"a:\\b", 1, "a:\\"}, {"\\\\srv\\s\\c.png", 1, "\\\\srv\\s\\"}, {"C:b.png", 0, ""}, {"\\b.png", 0, "\\"},
      {"\\\\", 0, "\\\\"}, {"\\\\\\x", 0, "\\\\\\"}, {"1:\\b", 0, "1:\\"}, {"", 0, ""}, {"C:\\abcdefg\\f", 1, ""}};
  for (const auto& c : handedOver) {
    char folder[10] = "kept";
    const int copied = CopyFolderPart(folder, sizeof folder, c.path);
    EXPECT_EQ(std::to_string(IsFullPath(c.path)) + std::to_string(copied) + folder,
              std::to_string(c.full) + (c.folder.empty() ? "0kept" : "1" + c.folder)) << c.path;
  }
}

}  // namespace
