// The real exe over stored settings that no run of it wrote: each row stores
// every value with the wrong type, the wrong length, or an absurd content,
// the kinds turned over the names from row to row. The program starts, shows
// a sane window whole on the screen, ends with code 0, and what it writes at the
// end is of the right type and in range.
#include <climits>
#include <vector>

#include "app/ids.h"
#include "app/texts.h"
#include "tests/wine/program_fixture.h"

namespace {

// Each number's name and the range it is written back in.
struct Number {
  const char* name;
  int64_t low = INT32_MIN, high = INT32_MAX;
};
const Number NUMBERS[] = {{"X1"}, {"Y1"}, {"W1", 32, 256}, {"H1", 32, 256}, {"AlwaysOnTheTop"}, {"Taskbar"},
                          {"Show", 1, 1}, {"TrayIcon", 0, 1}, {"AutoStart"}, {"Splash"}, {"Hint"}, {"W2", 1}, {"H2", 1},
                          {"W3", 1}, {"H3", 1}, {"X2"}, {"Y2"}, {"FrameID", FRAME_ID_FIRST, FRAME_ID_LAST},
                          {"SlideInterval", 0, 3600}, {"SlideRandom", 0, 1}};
const char* const STRINGS[] = {"Path", "Photo", "Frame", "SlideFolder"};

RegValue Dword(int32_t value) { return {true, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4)}; }
RegValue Sized(DWORD type, size_t length, char fill) { return {true, type, std::string(length, fill)}; }

// Built when asked: GCC 12 misreads a global array of strings as maybe uninitialised.
std::vector<RegValue> BadNumbers() {
  return {{true, REG_SZ, std::string("abc", 4)}, Sized(REG_QWORD, 8, '\x7f'), Sized(REG_DWORD, 3, '\xff'),
          Sized(REG_DWORD, 300, '\x80'), Dword(0), Dword(INT_MIN), Dword(INT_MAX)};
}

// The 256 letters have no terminator; the others hide junk behind a zero or are too short, long or not text.
std::vector<RegValue> BadPaths() {
  return {Dword(0x41424344), {true, REG_MULTI_SZ, std::string("C:\\\0D:\\\0", 8)}, Sized(REG_SZ, 3, '\\'),
          Sized(REG_SZ, 300, 'x'), Sized(REG_SZ, 256, 'y'), {true, REG_SZ, std::string("C:\\\0junk", 8)},
          Sized(REG_SZ, 255, 'z'), Sized(REG_BINARY, 300, 'b')};
}

// Sets of files that are no slideshow: not a list, not ended, relative, empty.
std::vector<RegValue> BadSlideFiles() {
  return {{true, REG_SZ, std::string("C:\\a.jpg\0C:\\b.jpg\0\0", 19)}, {true, REG_MULTI_SZ, std::string("C:\\a.jpg\0b.jpg\0\0", 16)},
          {true, REG_MULTI_SZ, std::string("C:\\a.jpg\0C:\\b.jpg", 17)}, Sized(REG_MULTI_SZ, 2, '\0')};
}

void Store(const char* name, const RegValue& value) {
  WriteValue(name, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
}

// Whole on its monitor's work area: a place far off the screen moves onto it.
bool SaneOnScreen(HWND window) {
  const Box box = BoxOf(window);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  const RECT& work = monitor.rcWork;
  return IsWindowVisible(window) && box.width >= 32 && box.width <= 256 && box.height >= 32 && box.height <= 256 &&
         GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &monitor) && box.left >= work.left &&
         box.top >= work.top && box.left + box.width <= work.right && box.top + box.height <= work.bottom;
}

class BadSettingsTest : public RealProgramTest, public testing::WithParamInterface<int> {};

// Every row stores every kind of bad number; each number and each path meets
// another kind in each row, and the paths meet every kind over the rows.
TEST_P(BadSettingsTest, TheProgramShowsASaneWindowAndWritesValidValues) {
  const std::vector<RegValue> numbers = BadNumbers(), paths = BadPaths();
  const size_t row = static_cast<size_t>(GetParam());
  for (size_t i = 0; i < std::size(NUMBERS); ++i) Store(NUMBERS[i].name, numbers[(i + row) % numbers.size()]);
  for (size_t i = 0; i < std::size(STRINGS); ++i) Store(STRINGS[i], paths[(i + row * 3) % paths.size()]);
  Store("SlideFiles", BadSlideFiles()[row]);

  RunningProgram program;
  ASSERT_TRUE(StartProgramProcess(program));
  HWND window = FindFrameWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return SaneOnScreen(window); }));
  ASSERT_TRUE(Answers(window));
  EXPECT_TRUE(SaneOnScreen(window));
  EXPECT_EQ(CloseAndWait(program, window), 0);

  for (const Number& number : NUMBERS) {
    const std::optional<int64_t> stored = StoredDword(number.name);
    EXPECT_TRUE(stored && *stored >= number.low && *stored <= number.high) << number.name << " " << stored.value_or(0);
  }
  for (const char* name : STRINGS) EXPECT_EQ(ReadRegValue(TEXT_SETTINGS_KEY, name).type, REG_SZ) << name;
  EXPECT_FALSE(ReadRegValue(TEXT_SETTINGS_KEY, "SlideFiles").present) << "no slideshow of the refused set";
}

INSTANTIATE_TEST_SUITE_P(Rows, BadSettingsTest, testing::Range(0, 4));

}  // namespace
