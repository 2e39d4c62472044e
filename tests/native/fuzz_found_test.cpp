// Inputs that once broke a fuzz target, committed under tests/corpus/fuzz-found.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/ids.h"
#include "framewindow/frame_catalogue.h"

namespace {

std::vector<std::vector<unsigned char>> FoundInputs(const char* target) {
  std::vector<std::vector<unsigned char>> inputs;
  const std::filesystem::path folder = std::filesystem::path(CHERIMO_SOURCE_DIR) / "tests/corpus/fuzz-found" / target;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    std::ifstream stream(file.path(), std::ios::binary);
    inputs.emplace_back(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  }
  return inputs;
}

// Group counts near two billion once numbered frames for minutes and ran the
// ids past the largest 32-bit value.
TEST(FuzzFound, ACatalogueWithAbsurdCountsEndsAfterAtMostOneFramePerByte) {
  const auto inputs = FoundInputs("frame_catalogue");
  ASSERT_FALSE(inputs.empty());
  for (const auto& table : inputs) {
    struct Seen {
      size_t frames = 0;
      int32_t lastId = FRAME_ID_FIRST - 1;
    } seen;
    WalkFrameCatalogue(table.data(), table.size(),
                       {&seen, [](void*, const char*, int32_t, uint32_t) {},
                        [](void* context, int32_t id, const char*) {
                          auto& s = *static_cast<Seen*>(context);
                          ++s.frames;
                          s.lastId = id;
                        }});
    EXPECT_LE(seen.frames, table.size());
    EXPECT_EQ(seen.lastId, FRAME_ID_FIRST - 1 + static_cast<int32_t>(seen.frames));
  }
}

}  // namespace
