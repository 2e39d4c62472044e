// Stored numbers out of range at load: each comes back into range, keeping
// its meaning where it has one; values in range are left alone.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "app/settings_rules.h"

namespace {

struct RangeCase {
  int32_t SettingsTable::*field;
  int32_t stored;
  int32_t loaded;
};

const RangeCase CASES[] = {
    {&SettingsTable::AlwaysOnTheTop, 2, 2},     {&SettingsTable::AlwaysOnTheTop, -1, -1},
    {&SettingsTable::Taskbar, 7, 7},            {&SettingsTable::AutoStart, INT32_MIN, INT32_MIN},
    {&SettingsTable::Splash, 0x7FFFFFFF, 0x7FFFFFFF}, {&SettingsTable::Hint, 1, 1},
    {&SettingsTable::TrayIcon, -5, 1},          {&SettingsTable::TrayIcon, 0, 0},
    {&SettingsTable::Show, 0, 1},               {&SettingsTable::Show, 3, 1},
    {&SettingsTable::Show, 2, 2},               {&SettingsTable::W1, 0, 32},
    {&SettingsTable::W1, -100, 32},             {&SettingsTable::H1, 100000, 256},
    {&SettingsTable::H1, 200, 200},             {&SettingsTable::X1, INT32_MAX, INT32_MAX - 100},
    {&SettingsTable::Y1, INT32_MIN, INT32_MIN}, {&SettingsTable::X1, -3000, -3000},
    {&SettingsTable::W3, 0, 1},                 {&SettingsTable::H3, -168, 1},
    {&SettingsTable::W3, 5000, 5000},           {&SettingsTable::H3, INT32_MAX, 1 << 26},
    {&SettingsTable::X2, INT32_MIN, -(1 << 26)}, {&SettingsTable::Y2, -11, -11},
    {&SettingsTable::W2, -7, -7},               {&SettingsTable::FrameID, 0x7FFFFFFF, 0x7FFFFFFF},
};

TEST(KeepLoadedSettingsInRange, BringsEachStoredNumberIntoRange) {
  for (const RangeCase& c : CASES) {
    SettingsTable settings = BUILT_IN_SETTINGS;
    settings.*c.field = c.stored;
    KeepLoadedSettingsInRange(settings);
    EXPECT_EQ(settings.*c.field, c.loaded) << "stored " << c.stored;
  }
}

TEST(KeepLoadedSettingsInRange, LeavesTheBuiltInValuesAlone) {
  SettingsTable settings = BUILT_IN_SETTINGS;
  KeepLoadedSettingsInRange(settings);
  EXPECT_EQ(std::memcmp(&settings, &BUILT_IN_SETTINGS, sizeof settings), 0);
}

}  // namespace
