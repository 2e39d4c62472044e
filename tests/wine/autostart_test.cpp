// The Run entry follows AutoStart at every start and every menu command, and
// the menu clears a switched-off mark that only the user's choice may clear.
#include <string>

#include "app/texts.h"
#include "framewindow/context_menu.h"
#include "tests/wine/frame_window_fixture.h"
#include "tests/wine/program_fixture.h"

namespace {

constexpr char OTHER_VALUE[] = "Someone Else";
constexpr char FOREIGN_COMMAND[] = "\"C:\\elsewhere\\cherimo.exe\"";
// Task Manager's mark: 3 = switched off, then the time it was switched off.
constexpr BYTE SWITCHED_OFF_MARK[12] = {3, 0, 0, 0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};

void WriteRunCommand(const char* name, const char* command) { WriteRegString(TEXT_RUN_KEY, name, command); }

void WriteSwitchedOffMark(const char* name) {
  WriteRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, name, REG_BINARY, SWITCHED_OFF_MARK, sizeof SWITCHED_OFF_MARK);
}

RegValue OwnRunValue() { return ReadRegValue(TEXT_RUN_KEY, TEXT_RUN_VALUE); }

bool AutostartTicked() { return (GetMenuState(ContextMenu, IDM_AUTOSTART, MF_BYCOMMAND) & MF_CHECKED) != 0; }

class AutostartTest : public FrameWindowTest {
 protected:
  void SetUp() override {
    FrameWindowTest::SetUp();
    WriteRunCommand(OTHER_VALUE, FOREIGN_COMMAND);
    otherBefore = ReadRegValue(TEXT_RUN_KEY, OTHER_VALUE);
  }
  void TearDown() override {
    EXPECT_EQ(ReadRegValue(TEXT_RUN_KEY, OTHER_VALUE), otherBefore) << "another program's entry is never touched";
    FrameWindowTest::TearDown();
  }

  // The quoted path of this very exe and the switch, with the string's zero.
  static void ExpectOwnEntry() {
    char modulePath[MAX_PATH];
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    const std::string command = std::string("\"") + modulePath + "\" /a";
    EXPECT_EQ(OwnRunValue(), (RegValue{true, REG_SZ, command + '\0'}));
  }

  RegValue otherBefore;
};

struct StartCase {
  const char* name;
  int storedAutoStart;  // -1: never stored
  bool foreignEntry;
  bool entryAfterStart;
};

class AutostartAtStartTest : public AutostartTest, public testing::WithParamInterface<StartCase> {};

TEST_P(AutostartAtStartTest, EveryStartRewritesOrDeletesTheEntry) {
  const StartCase& c = GetParam();
  if (c.storedAutoStart >= 0) WriteDword("AutoStart", static_cast<DWORD>(c.storedAutoStart));
  if (c.foreignEntry) WriteRunCommand(TEXT_RUN_VALUE, FOREIGN_COMMAND);
  Start();
  EXPECT_EQ(AutostartTicked(), c.entryAfterStart);
  if (c.entryAfterStart) {
    ExpectOwnEntry();
  } else {
    EXPECT_FALSE(OwnRunValue().present);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AutostartAtStartTest,
                         testing::Values(StartCase{"OnWithoutEntry", 1, false, true},
                                         StartCase{"OnOverAForeignEntry", 1, true, true},
                                         StartCase{"OffOverAForeignEntry", 0, true, false},
                                         StartCase{"NeverSetOverAForeignEntry", -1, true, false}),
                         [](const testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST_F(AutostartTest, TheMenuTurnsTheEntryOnAndOffAndOffAgainChangesNothing) {
  Start();
  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(Settings.AutoStart, 1);
  EXPECT_TRUE(AutostartTicked());
  ExpectOwnEntry();

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(Settings.AutoStart, 0);
  EXPECT_FALSE(AutostartTicked());
  EXPECT_FALSE(OwnRunValue().present);

  Send(MSG_SET_AUTOSTART, 0, 0);
  EXPECT_FALSE(OwnRunValue().present);
}

TEST_F(AutostartTest, ACommandThatDidNotFitLeavesTheEntryAsItWas) {
  Start();
  WriteRunCommand(TEXT_RUN_VALUE, FOREIGN_COMMAND);
  const RegValue before = OwnRunValue();
  AutostartCommand[0] = '\0';
  Send(MSG_SET_AUTOSTART, 1, 0);
  EXPECT_EQ(Settings.AutoStart, 1);
  EXPECT_EQ(OwnRunValue(), before);
}

TEST_F(AutostartTest, OnlyTheMenuClearsOurSwitchedOffMarkAndNoOtherProgramsMark) {
  WriteDword("AutoStart", 1);
  WriteSwitchedOffMark(TEXT_RUN_VALUE);
  WriteSwitchedOffMark(OTHER_VALUE);
  const RegValue ownMark = ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE);
  const RegValue otherMark = ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, OTHER_VALUE);
  Start();
  EXPECT_EQ(ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE), ownMark) << "a start keeps the user's choice";

  Send(WM_COMMAND, IDM_AUTOSTART);
  EXPECT_EQ(ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE), ownMark) << "turning it off needs no mark";

  Send(WM_COMMAND, IDM_AUTOSTART);
  ExpectOwnEntry();
  EXPECT_FALSE(ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, TEXT_RUN_VALUE).present);
  EXPECT_EQ(ReadRegValue(TEXT_STARTUP_APPROVED_RUN_KEY, OTHER_VALUE), otherMark);
}

using AutostartProgramTest = RealProgramTest;

TEST_F(AutostartProgramTest, TheCommandInTheRunEntryStartsTheProgramPutAway) {
  RunCommandOnce(IDM_AUTOSTART);
  const RegValue entry = OwnRunValue();
  ASSERT_TRUE(entry.present);
  // As Windows runs it at log-on: the stored line as it stands.
  RunningProgram program;
  ASSERT_TRUE(Launch(entry.data.c_str(), &program.process));
  HWND window = StartUpEnded(FindFrameWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  SendMessageA(window, WM_COMMAND, IDM_AUTOSTART, 0);
  EXPECT_FALSE(OwnRunValue().present);
  EXPECT_EQ(CloseAndWait(program, window), 0);
}

}  // namespace
