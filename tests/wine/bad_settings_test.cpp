// The real exe over stored settings that no run of it wrote: each row stores
// every value with the wrong type, the wrong length, or an absurd content at
// once. The program starts, shows a sane window on the screen, ends with code
// 0, and what it writes at the end is of the right type and in range.
#include <climits>
#include <ostream>
#include <cstring>
#include <string>
#include <vector>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

const char* const NUMBERS[] = {"X1", "Y1", "W1", "H1", "AlwaysOnTheTop", "Taskbar", "Show", "TrayIcon", "AutoStart",
                               "Splash", "Hint", "W2", "H2", "W3", "H3", "X2", "Y2", "FrameID"};
const char* const STRINGS[] = {"Path", "Photo", "Frame"};

struct StoredValue {
  DWORD type;
  std::string bytes;
};

struct BadRow {
  const char* name;
  StoredValue number;  // stored under every number's name
  StoredValue string;  // stored under every path's name
};

StoredValue Dword(int32_t value) {
  return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}
StoredValue Sized(DWORD type, size_t length, char fill) { return {type, std::string(length, fill)}; }

std::vector<BadRow> Rows() {
  return {
    {"StringsAndNumbersSwapped", {REG_SZ, std::string("abc", 4)}, Dword(0x41424344)},
    {"Binary", {REG_BINARY, "\x01\x02\x03\x04"}, {REG_BINARY, "C:\\x"}},
    {"QwordAndMultiString", {REG_QWORD, std::string(8, '\x7f')}, {REG_MULTI_SZ, std::string("C:\\\0D:\\\0", 8)}},
    {"Length0", Sized(REG_DWORD, 0, '\xff'), Sized(REG_SZ, 0, 'x')},
    {"Length1", Sized(REG_DWORD, 1, '\xff'), Sized(REG_SZ, 1, 'x')},
    {"Length3", Sized(REG_DWORD, 3, '\xff'), Sized(REG_SZ, 3, '\\')},
    {"Length5", Sized(REG_DWORD, 5, '\xff'), Sized(REG_SZ, 5, ':')},
    {"Length300", Sized(REG_DWORD, 300, '\x80'), Sized(REG_SZ, 300, 'x')},
    {"Negative", Dword(-1000), {REG_SZ, "\\"}},
    {"Zero", Dword(0), Sized(REG_SZ, 256, 'y')},  // a path without a terminator
    {"Smallest", Dword(INT_MIN), {REG_SZ, std::string("C:\\\0junk", 8)}},
    {"Largest", Dword(INT_MAX), Sized(REG_SZ, 255, 'z')},
    {"PastTheScreen", Dword(100000), {REG_SZ, "C:\\nowhere\\photo.jpg"}},
  };
}

void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }

class BadSettingsTest : public RealProgramTest, public testing::WithParamInterface<BadRow> {
 protected:
  static void Store(const char* name, const StoredValue& value) {
    WriteValue(name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
  }

  static bool SaneOnScreen(HWND window) {
    RECT rect;
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect)) return false;
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    return width >= 32 && width <= 256 && height >= 32 && height <= 256 &&
           MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
  }
};

TEST_P(BadSettingsTest, TheProgramShowsASaneWindowAndWritesValidValues) {
  for (const char* name : NUMBERS) Store(name, GetParam().number);
  for (const char* name : STRINGS) Store(name, GetParam().string);

  RunningProgram program;
  ASSERT_TRUE(StartProgramProcess(program));
  HWND window = FindFrameWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return SaneOnScreen(window); }));
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored));
  EXPECT_TRUE(SaneOnScreen(window));
  EXPECT_EQ(CloseAndWait(program, window), 0);

  for (const char* name : NUMBERS) EXPECT_TRUE(StoredDword(name).has_value()) << name;
  const int64_t trayIcon = StoredDword("TrayIcon").value_or(-1);
  EXPECT_TRUE(trayIcon == 0 || trayIcon == 1) << trayIcon;
  EXPECT_EQ(StoredDword("Show"), 1);
  for (const char* name : {"W1", "H1"}) {
    const int64_t side = StoredDword(name).value_or(0);
    EXPECT_TRUE(side >= 32 && side <= 256) << name << " " << side;
  }
  for (const char* name : {"W2", "H2", "W3", "H3"}) EXPECT_GE(StoredDword(name).value_or(0), 1) << name;
  const int64_t frame = StoredDword("FrameID").value_or(0);
  EXPECT_TRUE(frame >= FRAME_ID_FIRST && frame <= FRAME_ID_LAST) << frame;
  for (const char* name : STRINGS) {
    std::string value;
    DWORD type = 0;
    EXPECT_TRUE(ReadString(name, &value, &type) && type == REG_SZ) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadSettingsTest, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<BadRow>& row) { return std::string(row.param.name); });

}  // namespace
