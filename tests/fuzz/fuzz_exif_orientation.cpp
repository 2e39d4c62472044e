// Any bytes as an APP1 payload. The orientation read from them then turns a
// picture whose sides come from the same input: every source pixel must land
// exactly once inside the destination.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <vector>

#include "imaging/exif_orientation.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int width = 1 + data[0] % 48, height = 1 + data[1] % 48;
  const int orientation = ReadExifOrientation(data + 2, size - 2);
  Require(orientation >= 1 && orientation <= 8, "orientation is 1 to 8");
  std::vector<uint32_t> source(static_cast<size_t>(width) * height), turned(source.size(), UINT32_MAX);
  std::iota(source.begin(), source.end(), 0u);
  OrientPixels(source.data(), width, height, orientation, turned.data());
  std::sort(turned.begin(), turned.end());
  Require(turned == source, "the turned picture holds every pixel once");
  return 0;
}
