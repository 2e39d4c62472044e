#include "framewindow/frame_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/ids.h"

namespace {

struct WalkRecord {
  std::vector<std::string> groups;  // name, first id and count of each
  std::vector<std::pair<int32_t, std::string>> frames;
};

WalkRecord Walk(const unsigned char* table, size_t size) {
  WalkRecord record;
  const auto group = [](void* context, const char* name, int32_t firstId, uint32_t count) {
    static_cast<WalkRecord*>(context)->groups.push_back(name + (" " + std::to_string(firstId)) + " " + std::to_string(count));
  };
  const auto frame = [](void* context, int32_t id, const char* name) {
    static_cast<WalkRecord*>(context)->frames.emplace_back(id, name);
  };
  WalkFrameCatalogue(table, size, {&record, group, frame});
  return record;
}

const char SHAPES[] = "Circle\0Clover\0Heart 1\0Heart 2\0Heart 3\0Hexagon\0Octagon 1\0Octagon 2\0Rectangle\0"
                      "Rhombus\0Square\0Star  5\0Star  6\0Star  8\0Star 12";

TEST(FrameCatalogueWalk, GivesEveryGroupNumbersFramesAcrossGroupsAndStopsAtTheEndOfAChangedTable) {
  const WalkRecord record = Walk(FrameCatalogue.data(), FrameCatalogue.size());
  EXPECT_EQ(record.groups, (std::vector<std::string>{"Cork 2000 15", "Funny 2015 16", "Marble 2031 15",
                                                     "Metal 2046 15", "Rattan 2061 15", "Wood 2076 15"}));
  ASSERT_EQ(record.frames.size(), 91u);
  for (size_t i = 0; i < record.frames.size(); ++i) EXPECT_EQ(record.frames[i].first, 2000 + static_cast<int32_t>(i));
  const std::pair<int32_t, const char*> named[] = {{FRAME_ID_DEFAULT, "Rectangle"}, {2017, "Clover"},
                                                   {2020, "Ice Cream - Cone"}, {2030, "Window 2"}, {2090, "Star 12"}};
  for (const auto& [id, name] : named) EXPECT_EQ(record.frames[id - FRAME_ID_FIRST].second, name) << id;

  // Every frame past the last id is named like the last frame.
  std::vector<unsigned char> table(FrameCatalogue.begin(), FrameCatalogue.end());
  table[table.size() - sizeof SHAPES - sizeof "Wood" - 4] = 18;  // Wood's count
  const WalkRecord longer = Walk(table.data(), table.size());
  ASSERT_EQ(longer.frames.size(), 94u);
  for (int32_t i = 90; i < 94; ++i) EXPECT_EQ(longer.frames[i], std::pair(2000 + i, std::string("Star 12"))) << i;

  // A table cut short is walked to its end and no further: "Cork\0" ends at
  // byte 9, "Circle\0" at 16, Cork's group before Funny's count.
  const size_t cork = 9 + sizeof SHAPES;
  const size_t cuts[][3] = {{3, 0, 0}, {8, 0, 0}, {9, 1, 0}, {15, 1, 0}, {16, 1, 1}, {cork + 3, 1, 15}};
  for (const auto& [cut, groups, frames] : cuts) {
    const WalkRecord cutShort = Walk(std::vector(FrameCatalogue.begin(), FrameCatalogue.begin() + cut).data(), cut);
    EXPECT_EQ((std::pair{cutShort.groups.size(), cutShort.frames.size()}), (std::pair{groups, frames})) << cut;
  }
}

}  // namespace
