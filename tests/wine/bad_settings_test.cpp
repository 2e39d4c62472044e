// The real exe over stored settings that no run of it wrote: each row stores
// every value with the wrong type, the wrong length, or an absurd content at
// once. The program starts, shows a sane window on the screen, ends with code
// 0, and what it writes at the end is of the right type and in range.
#include <climits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ids.h"
#include "tests/wine/program_fixture.h"

namespace {

// Each number's name and the range it is written back in.
struct Number {
  const char* name;
  int64_t low = INT32_MIN, high = INT32_MAX;
};
const Number NUMBERS[] = {{"X1"}, {"Y1"}, {"W1", 32, 256}, {"H1", 32, 256}, {"AlwaysOnTheTop"}, {"Taskbar"},
                          {"Show", 1, 1}, {"TrayIcon", 0, 1}, {"AutoStart"}, {"Splash"}, {"Hint"}, {"W2", 1}, {"H2", 1},
                          {"W3", 1}, {"H3", 1}, {"X2"}, {"Y2"}, {"FrameID", FRAME_ID_FIRST, FRAME_ID_LAST}};
const char* const STRINGS[] = {"Path", "Photo", "Frame"};

struct StoredValue {
  DWORD type;
  std::string bytes;
};

StoredValue Dword(int32_t value) { return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)}; }
StoredValue Sized(DWORD type, size_t length, char fill) { return {type, std::string(length, fill)}; }

struct BadRow {
  const char* name;
  StoredValue number;  // stored under every number's name
  StoredValue string;  // stored under every path's name
};
void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }

// Built when asked: GCC 12 misreads a global array of strings as maybe uninitialised.
std::vector<BadRow> Rows() {
  return {
      {"StringsAndNumbersSwapped", {REG_SZ, std::string("abc", 4)}, Dword(0x41424344)},
      {"QwordAndMultiString", {REG_QWORD, std::string(8, '\x7f')}, {REG_MULTI_SZ, std::string("C:\\\0D:\\\0", 8)}},
      {"Length3", Sized(REG_DWORD, 3, '\xff'), Sized(REG_SZ, 3, '\\')},
      {"Length300", Sized(REG_DWORD, 300, '\x80'), Sized(REG_SZ, 300, 'x')},
      {"Zero", Dword(0), Sized(REG_SZ, 256, 'y')},  // a path without a terminator
      {"Smallest", Dword(INT_MIN), {REG_SZ, std::string("C:\\\0junk", 8)}},
      {"Largest", Dword(INT_MAX), Sized(REG_SZ, 255, 'z')},
  };
}

void Store(const char* name, const StoredValue& value) {
  WriteValue(name, value.type, value.bytes.data(), static_cast<DWORD>(value.bytes.size()));
}

bool SaneOnScreen(HWND window) {
  const Box box = BoxOf(window);
  return IsWindowVisible(window) && box.width >= 32 && box.width <= 256 && box.height >= 32 && box.height <= 256 &&
         MonitorFromWindow(window, MONITOR_DEFAULTTONULL) != nullptr;
}

class BadSettingsTest : public RealProgramTest, public testing::WithParamInterface<BadRow> {};

TEST_P(BadSettingsTest, TheProgramShowsASaneWindowAndWritesValidValues) {
  for (const Number& number : NUMBERS) Store(number.name, GetParam().number);
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

  for (const Number& number : NUMBERS) {
    const std::optional<int64_t> stored = StoredDword(number.name);
    EXPECT_TRUE(stored && *stored >= number.low && *stored <= number.high) << number.name << " " << stored.value_or(0);
  }
  for (const char* name : STRINGS) {
    std::string value;
    DWORD type = 0;
    EXPECT_TRUE(ReadString(name, &value, &type) && type == REG_SZ) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, BadSettingsTest, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<BadRow>& row) { return std::string(row.param.name); });

}  // namespace
