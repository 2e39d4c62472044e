// Any bytes as an APP1 payload. The orientation read from them then turns a
// picture whose sides come from the same input: every source pixel must land
// exactly once inside the destination.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/exif_orientation.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int width = 1 + data[0] % 48;
  const int height = 1 + data[1] % 48;
  const int orientation = ReadExifOrientation(data + 2, size - 2);
  Require(orientation >= 1 && orientation <= 8, "orientation is 1 to 8");

  const size_t count = static_cast<size_t>(width) * height;
  std::vector<uint32_t> source(count), turned(count, UINT32_MAX);
  for (size_t i = 0; i < count; ++i) source[i] = static_cast<uint32_t>(i);
  OrientPixels(source.data(), width, height, orientation, turned.data());
  std::vector<bool> seen(count);
  for (uint32_t value : turned) {
    Require(value < count && !seen[value], "the turned picture holds every pixel once");
    seen[value] = true;
  }
  return 0;
}
