// The About box's link driven by real mouse input from xdotool on the real
// exe: its looks read back from the screen, its clicks recorded by the stand-in
// that the shell opens addresses with.
#include <string>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"
#include "tests/wine/shell_recorder.h"

namespace {

// What the menu and the link hand to the shell must reach the program that
// the shell starts unchanged.
TEST(ShellRecorder, AddressesReachTheOpeningProgramByteForByte) {
  if (!RegisterShellRecorder()) GTEST_SKIP() << "runs only in the project's private Wine prefix";
  const char* addresses[] = {
      TEXT_HOME_PAGE,
      "http://cherimo.brivanta.example/a b?x=1&y=%20#z",
      "mailto:?subject=Brivanta%20Cherimo&body=Hi!%0D%0A%0D%0AIt's%20called%20Brivanta%20Cherimo%0D%0ACheers,",
  };
  for (const char* address : addresses) {
    ClearRecordedOpens();
    ShellExecuteA(nullptr, nullptr, address, nullptr, nullptr, SW_HIDE);
    const std::vector<std::string> opens = WaitForRecordedOpens(1);
    ASSERT_EQ(opens.size(), 1u) << address;
    EXPECT_EQ(opens[0], address);
  }
  UnregisterShellRecorder();
}

}  // namespace
