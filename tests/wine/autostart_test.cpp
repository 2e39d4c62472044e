// The Run entry follows AutoStart at every start and every menu command, and
// the menu clears a switched-off mark that only the user's choice may clear.
#include "app/texts.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

constexpr char OTHER_VALUE[] = "Someone Else";
constexpr char FOREIGN_COMMAND[] = "\"C:\\elsewhere\\cherimo.exe\"";
// Task Manager's mark: 3 = switched off, then the time it was switched off.
constexpr BYTE SWITCHED_OFF_MARK[12] = {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};

// Another program's entry and mark, as written.
RegValue ForeignEntry() { return {true, REG_SZ, std::string(FOREIGN_COMMAND, sizeof FOREIGN_COMMAND)}; }
RegValue Mark() { return {true, REG_BINARY, std::string(reinterpret_cast<const char*>(SWITCHED_OFF_MARK), 12)}; }

// A program's Run entry and its mark.
std::pair<RegValue, RegValue> EntryAndMark(const char* name) {
  return {ReadRegValue(TEXT_RUN_KEY, name), ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, name)};
}

// The quoted path of this very exe and the switch, with the string's zero.
RegValue OwnEntry() {
  char modulePath[MAX_PATH];
  GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  return {true, REG_SZ, std::string("\"") + modulePath + "\" /a" + '\0'};
}

// Another program's entry and mark are there in every case, and stay.
class AutostartTest : public FrameWindowTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    WriteRegString(TEXT_RUN_KEY, OTHER_VALUE, FOREIGN_COMMAND);
    WriteRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, OTHER_VALUE, REG_BINARY, SWITCHED_OFF_MARK, sizeof SWITCHED_OFF_MARK);
  }
  void TearDown() override {
    EXPECT_EQ(EntryAndMark(OTHER_VALUE), std::pair(ForeignEntry(), Mark())) << "another program's entry stays";
    FrameWindowTest::TearDown();
  }
};

// The stored AutoStart (-1: never stored) over an entry naming another exe.
TEST_P(AutostartTest, EveryStartRewritesOrDeletesTheEntry) {
  if (GetParam() >= 0) WriteDword("AutoStart", static_cast<DWORD>(GetParam()));
  WriteRegString(TEXT_RUN_KEY, TEXT_RUN_VALUE, FOREIGN_COMMAND);
  Start();
  EXPECT_EQ(EntryAndMark(TEXT_RUN_VALUE).first, GetParam() == 1 ? OwnEntry() : RegValue{});
}

INSTANTIATE_TEST_SUITE_P(Stored, AutostartTest, testing::Values(1, 0, -1));

TEST_F(AutostartTest, TheMenuSetsTheEntryClearsOnlyOurSwitchedOffMarkAndACommandThatDidNotFitChangesNothing) {
  WriteDword("AutoStart", 1);
  WriteRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE, REG_BINARY, SWITCHED_OFF_MARK, sizeof SWITCHED_OFF_MARK);
  Start();
  EXPECT_EQ(EntryAndMark(TEXT_RUN_VALUE), std::pair(OwnEntry(), Mark())) << "a start keeps the user's choice";

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(EntryAndMark(TEXT_RUN_VALUE), std::pair(RegValue{}, Mark())) << "turning it off needs no mark";

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(EntryAndMark(TEXT_RUN_VALUE), std::pair(OwnEntry(), RegValue{}));

  WriteRegString(TEXT_RUN_KEY, TEXT_RUN_VALUE, FOREIGN_COMMAND);
  AutostartCommand[0] = '\0';
  Send(MSG_SET_AUTOSTART, 1, 0);
  EXPECT_EQ(ProgramSettings.AutoStart, 1);
  EXPECT_EQ(EntryAndMark(TEXT_RUN_VALUE).first, ForeignEntry()) << "a module path too long for the command";
}

}  // namespace
