#include "framewindow/frame_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ids.h"

namespace {

struct WalkRecord {
  struct GroupSeen {
    std::string name;
    int32_t firstId;
    uint32_t count;
  };
  std::vector<GroupSeen> groups;
  std::vector<std::pair<int32_t, std::string>> frames;
};

WalkRecord Walk(const unsigned char* table, size_t size) {
  WalkRecord record;
  WalkFrameCatalogue(table, size,
                     {&record,
                      [](void* context, const char* name, int32_t firstId, uint32_t count) {
                        static_cast<WalkRecord*>(context)->groups.push_back({name, firstId, count});
                      },
                      [](void* context, int32_t id, const char* name) {
                        static_cast<WalkRecord*>(context)->frames.emplace_back(id, name);
                      }});
  return record;
}

const char* const SHAPES[15] = {"Circle",  "Clover",    "Heart 1",   "Heart 2",   "Heart 3",
                                "Hexagon", "Octagon 1", "Octagon 2", "Rectangle", "Rhombus",
                                "Square",  "Star  5",   "Star  6",   "Star  8",   "Star 12"};
const char* const FUNNY[16] = {"Apple",        "Cat",   "Clover",        "Computer", "Heart",     "Ice Cream - Cone",
                               "Ice Cream",    "Onion", "Shooting Star", "Star",     "Sunflower", "Telephone",
                               "Toilet Paper", "TV",    "Window 1",      "Window 2"};

void AppendString(std::vector<unsigned char>& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
}

void AppendGroup(std::vector<unsigned char>& bytes, const char* name, const char* const* frames, unsigned char count) {
  bytes.insert(bytes.end(), {count, 0, 0, 0});
  AppendString(bytes, name);
  for (unsigned char i = 0; i < count; ++i) AppendString(bytes, frames[i]);
}

TEST(FrameCatalogue, StoredFormMatchesTheGroupsAndNamesByteForByte) {
  std::vector<unsigned char> expected;
  AppendGroup(expected, "Cork", SHAPES, 15);
  AppendGroup(expected, "Funny", FUNNY, 16);
  for (const char* material : {"Marble", "Metal", "Rattan", "Wood"}) AppendGroup(expected, material, SHAPES, 15);
  ASSERT_EQ(expected.size(), 813u);
  EXPECT_EQ(std::vector<unsigned char>(FrameCatalogue.begin(), FrameCatalogue.end()), expected);
}

TEST(FrameCatalogue, StarNamesLineUpTheirNumbers) {
  const std::string table(FrameCatalogue.begin(), FrameCatalogue.end());
  EXPECT_NE(table.find(std::string("Star  5\0Star  6\0Star  8\0Star 12\0", 32)), std::string::npos);
  EXPECT_EQ(table.find("Star 5"), std::string::npos);
}

TEST(FrameCatalogueWalk, GivesEveryGroupAndNumbersFramesAcrossGroups) {
  const WalkRecord record = Walk(FrameCatalogue.data(), FrameCatalogue.size());
  ASSERT_EQ(record.groups.size(), static_cast<size_t>(FRAME_GROUP_COUNT));
  const std::pair<const char*, int32_t> groups[] = {{"Cork", 2000},  {"Funny", 2015},  {"Marble", 2031},
                                                    {"Metal", 2046}, {"Rattan", 2061}, {"Wood", 2076}};
  for (size_t i = 0; i < record.groups.size(); ++i) {
    EXPECT_EQ(record.groups[i].name, groups[i].first);
    EXPECT_EQ(record.groups[i].firstId, groups[i].second);
    EXPECT_EQ(record.groups[i].count, i == 1 ? 16u : 15u);
  }
  ASSERT_EQ(record.frames.size(), 91u);
  for (size_t i = 0; i < record.frames.size(); ++i)
    EXPECT_EQ(record.frames[i].first, FRAME_ID_FIRST + static_cast<int32_t>(i));
  const std::pair<int32_t, const char*> named[] = {
      {FRAME_ID_DEFAULT, "Rectangle"}, {2017, "Clover"}, {2020, "Ice Cream - Cone"}, {2030, "Window 2"}, {2055, "Rhombus"}};
  for (const auto& [id, name] : named) EXPECT_EQ(record.frames[id - FRAME_ID_FIRST].second, name) << id;
}

TEST(FrameCatalogueWalk, NamesEveryFramePastTheLastIdLikeTheLastFrame) {
  std::vector<unsigned char> table(FrameCatalogue.begin(), FrameCatalogue.end());
  const size_t woodCount = std::string(table.begin(), table.end()).rfind(std::string("\0Wood\0", 6)) - 3;
  table[woodCount] = 18;
  const WalkRecord record = Walk(table.data(), table.size());
  ASSERT_EQ(record.frames.size(), 94u);
  for (int32_t id = 2090; id <= 2093; ++id) {
    EXPECT_EQ(record.frames[id - FRAME_ID_FIRST].first, id);
    EXPECT_EQ(record.frames[id - FRAME_ID_FIRST].second, "Star 12");
  }
}

TEST(FrameCatalogueWalk, StopsAtTheEndOfATableThatIsCutShort) {
  const size_t cut = 40;  // inside Cork's frame names
  std::vector<unsigned char> table(FrameCatalogue.begin(), FrameCatalogue.begin() + cut);
  const WalkRecord record = Walk(table.data(), table.size());
  ASSERT_EQ(record.groups.size(), 1u);
  for (const auto& frame : record.frames) EXPECT_LT(frame.second.size(), cut);
  EXPECT_LT(record.frames.size(), 15u);
  EXPECT_TRUE(Walk(table.data(), 3).groups.empty());
}

}  // namespace
