// The Run entry follows AutoStart at every start and every menu command, and
// the menu clears a switched-off mark that only the user's choice may clear.
#include <string>

#include "app/texts.h"
#include "tests/wine/frame_window_fixture.h"

namespace {

constexpr char OTHER_VALUE[] = "Someone Else";
constexpr char FOREIGN_COMMAND[] = "\"C:\\elsewhere\\cherimo.exe\"";
// Task Manager's mark: 3 = switched off, then the time it was switched off.
constexpr BYTE SWITCHED_OFF_MARK[12] = {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};

RegValue OwnRunValue() { return ReadRegValue(TEXT_RUN_KEY, TEXT_RUN_VALUE); }
RegValue OwnMark() { return ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE); }

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
    otherBefore = {ReadRegValue(TEXT_RUN_KEY, OTHER_VALUE), ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, OTHER_VALUE)};
  }
  void TearDown() override {
    EXPECT_EQ(otherBefore.first, ReadRegValue(TEXT_RUN_KEY, OTHER_VALUE)) << "another program's entry stays";
    EXPECT_EQ(otherBefore.second, ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, OTHER_VALUE)) << "and its mark";
    FrameWindowTest::TearDown();
  }

  std::pair<RegValue, RegValue> otherBefore;
};

// The stored AutoStart (-1: never stored) over an entry naming another exe.
TEST_P(AutostartTest, EveryStartRewritesOrDeletesTheEntry) {
  if (GetParam() >= 0) WriteDword("AutoStart", static_cast<DWORD>(GetParam()));
  WriteRegString(TEXT_RUN_KEY, TEXT_RUN_VALUE, FOREIGN_COMMAND);
  Start();
  EXPECT_EQ(OwnRunValue(), GetParam() == 1 ? OwnEntry() : RegValue{});
}

INSTANTIATE_TEST_SUITE_P(Stored, AutostartTest, testing::Values(1, 0, -1));

TEST_F(AutostartTest, TheMenuSetsTheEntryClearsOnlyOurSwitchedOffMarkAndACommandThatDidNotFitChangesNothing) {
  WriteDword("AutoStart", 1);
  WriteRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE, REG_BINARY, SWITCHED_OFF_MARK, sizeof SWITCHED_OFF_MARK);
  const RegValue ownMark = OwnMark();
  Start();
  EXPECT_EQ(OwnMark(), ownMark) << "a start keeps the user's choice";

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(OwnRunValue(), RegValue{});
  EXPECT_EQ(OwnMark(), ownMark) << "turning it off needs no mark";

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(OwnRunValue(), OwnEntry());
  EXPECT_EQ(OwnMark(), RegValue{});

  WriteRegString(TEXT_RUN_KEY, TEXT_RUN_VALUE, FOREIGN_COMMAND);
  const RegValue before = OwnRunValue();
  AutostartCommand[0] = '\0';
  Send(MSG_SET_AUTOSTART, 1, 0);
  EXPECT_EQ(Settings.AutoStart, 1);
  EXPECT_EQ(OwnRunValue(), before) << "a module path too long for the command";
}

}  // namespace
