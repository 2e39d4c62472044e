#include "framewindow/frame_catalogue.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "app/ids.h"

namespace {

struct GroupNames {
  std::string_view name;
  std::array<std::string_view, 16> frames;
  uint32_t count;
};

constexpr GroupNames MATERIAL_SHAPES(std::string_view material) {
  return {material,
          {"Circle", "Clover", "Heart 1", "Heart 2", "Heart 3", "Hexagon", "Octagon 1", "Octagon 2", "Rectangle",
           "Rhombus", "Square", "Star  5", "Star  6", "Star  8", "Star 12"},
          15};
}

constexpr std::array<GroupNames, FRAME_GROUP_COUNT> GROUPS = {{
    MATERIAL_SHAPES("Cork"),
    {"Funny",
     {"Apple", "Cat", "Clover", "Computer", "Heart", "Ice Cream - Cone", "Ice Cream", "Onion", "Shooting Star", "Star",
      "Sunflower", "Telephone", "Toilet Paper", "TV", "Window 1", "Window 2"},
     16},
    MATERIAL_SHAPES("Marble"),
    MATERIAL_SHAPES("Metal"),
    MATERIAL_SHAPES("Rattan"),
    MATERIAL_SHAPES("Wood"),
}};

constexpr size_t StoredSize() {
  size_t size = 0;
  for (const GroupNames& group : GROUPS) {
    size += 4 + group.name.size() + 1;
    for (uint32_t i = 0; i < group.count; ++i) size += group.frames[i].size() + 1;
  }
  return size;
}

constexpr std::array<unsigned char, FRAME_CATALOGUE_SIZE> BuildCatalogue() {
  std::array<unsigned char, FRAME_CATALOGUE_SIZE> table{};
  size_t at = 0;
  auto put = [&](std::string_view text) {
    for (char c : text) table[at++] = static_cast<unsigned char>(c);
    table[at++] = 0;
  };
  for (const GroupNames& group : GROUPS) {
    for (int shift = 0; shift < 32; shift += 8) table[at++] = static_cast<unsigned char>(group.count >> shift);
    put(group.name);
    for (uint32_t i = 0; i < group.count; ++i) put(group.frames[i]);
  }
  return table;
}

static_assert(StoredSize() == FRAME_CATALOGUE_SIZE);

// Length of the zero-terminated string at `at`, or `size` when no
// terminator follows within the table.
size_t TerminatedLength(const unsigned char* table, size_t size, size_t at) {
  const void* zero = std::memchr(table + at, 0, size - at);
  return zero == nullptr ? size : static_cast<size_t>(static_cast<const unsigned char*>(zero) - (table + at));
}

}  // namespace

constinit const std::array<unsigned char, FRAME_CATALOGUE_SIZE> FrameCatalogue = BuildCatalogue();

void WalkFrameCatalogue(const unsigned char* table, size_t size, const FrameCatalogueWalk& walk) {
  int32_t nextId = FRAME_ID_FIRST;
  size_t at = 0;
  // Every name has its terminator, so a table names at most one frame per
  // byte: a count beyond that is corrupt and would number frames for hours.
  const size_t framesAtMost = std::min<size_t>(size, INT32_MAX - FRAME_ID_FIRST);
  for (int groupsLeft = FRAME_GROUP_COUNT; groupsLeft > 0; --groupsLeft) {
    if (size - at < 4) return;
    const uint32_t count =
        table[at] | table[at + 1] << 8 | table[at + 2] << 16 | static_cast<uint32_t>(table[at + 3]) << 24;
    at += 4;
    const size_t nameLength = TerminatedLength(table, size, at);
    if (nameLength == size) return;
    walk.group(walk.context, reinterpret_cast<const char*>(table + at), nextId, count);
    at += nameLength + 1;
    for (uint32_t framesLeft = count; framesLeft > 0; --framesLeft) {
      const size_t frameLength = TerminatedLength(table, size, at);
      if (frameLength == size || static_cast<size_t>(nextId - FRAME_ID_FIRST) >= framesAtMost) return;
      walk.frame(walk.context, nextId, reinterpret_cast<const char*>(table + at));
      ++nextId;
      if (nextId <= FRAME_ID_LAST) at += frameLength + 1;
    }
  }
}
