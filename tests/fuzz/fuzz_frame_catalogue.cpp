// Any bytes as the frame catalogue, seeded with the real table cut and
// changed: the walk stays inside the table, numbers frames on from the first
// id, hands out only terminated names that lie in the table and, past the
// last id, reads no further.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/ids.h"
#include "framewindow/frame_catalogue.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct WalkCheck {
  const unsigned char* table;
  size_t size;
  int32_t nextId = FRAME_ID_FIRST;
  int groups = 0;
  const char* previousName = nullptr;  // of the frame before, in the same group
};

WalkCheck& CheckName(void* context, const char* name) {
  auto& check = *static_cast<WalkCheck*>(context);
  const auto* start = reinterpret_cast<const unsigned char*>(name);
  Require(start >= check.table && start < check.table + check.size &&
              std::memchr(start, 0, check.size - static_cast<size_t>(start - check.table)) != nullptr,
          "name is terminated inside the table");
  return check;
}

void OnGroup(void* context, const char* name, int32_t firstId, uint32_t) {
  WalkCheck& check = CheckName(context, name);
  Require(firstId == check.nextId && ++check.groups <= FRAME_GROUP_COUNT, "at most six groups, each at the next id");
  check.previousName = nullptr;
}

void OnFrame(void* context, int32_t id, const char* name) {
  WalkCheck& check = CheckName(context, name);
  Require(id == check.nextId++, "frames are numbered one after the other");
  Require(static_cast<size_t>(id - FRAME_ID_FIRST) < check.size, "no more frames than the table has bytes");
  // Past the last id the read position stands still.
  Require(id <= FRAME_ID_LAST || !check.previousName || name == check.previousName, "frames past the last id repeat a name");
  check.previousName = name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WalkCheck check = {data, size};
  WalkFrameCatalogue(data, size, {&check, OnGroup, OnFrame});
  return 0;
}
