#include "imaging/reduce.h"

#include <algorithm>

#include "imaging/heap_array.h"
#include "imaging/pixel_lanes.h"

namespace {

// Weights of the two passes. Vertical sums stay below 255 * 4096 < 2^20 per
// lane and are kept with 2 extra bits (at most 1020); horizontal sums stay
// below 1020 * 2048 < 2^21, so no lane ever carries into the next.
constexpr uint32_t VERTICAL_NORM = 4096;
constexpr uint32_t HORIZONTAL_NORM = 2048;

// For each destination index, the source indices it covers and their weights.
struct AxisTaps {
  HeapArray<int32_t> first;  // per destination: where its taps start; one extra entry ends the last
  HeapArray<int32_t> index;
  HeapArray<uint32_t> weight;
};

// Lengths are counted in units of 1/destinationCount picture pixel, so every
// boundary is an integer: destination d covers [origin*n + d*side, ... + side),
// level pixel i covers [i*2^shift*n, (i+1)*2^shift*n) cut at the picture's end.
int BuildAxisTaps(int64_t origin, int64_t side, int pictureExtent, int levelExtent, int shift, int destinationCount,
                  uint32_t norm, AxisTaps& taps) {
  const int64_t n = destinationCount;
  const int64_t cell = (int64_t{1} << shift) * n;
  const int64_t pictureEnd = pictureExtent * n;
  const int64_t perDestination = std::min<int64_t>(levelExtent, side / cell + 2);
  if (!taps.first.Allocate(static_cast<size_t>(destinationCount) + 1) ||
      !taps.index.Allocate(static_cast<size_t>(destinationCount * perDestination)) ||
      !taps.weight.Allocate(static_cast<size_t>(destinationCount * perDestination))) {
    return 0;
  }
  int32_t stored = 0;
  for (int d = 0; d < destinationCount; ++d) {
    taps.first[d] = stored;
    const int64_t begin = origin * n + d * side;
    const int64_t end = begin + side;
    const int64_t low = std::max<int64_t>(0, begin / cell - 1);
    const int64_t high = std::min<int64_t>(levelExtent - 1, (end - 1) / cell + 1);
    int64_t covered = 0;
    uint32_t given = 0;
    int32_t largest = -1;
    for (int64_t i = low; i <= high; ++i) {
      const int64_t overlap =
          std::min({(i + 1) * cell, pictureEnd, end}) - std::max(i * cell, begin);
      if (overlap <= 0) continue;
      const uint32_t weight = static_cast<uint32_t>(overlap * norm / side);
      covered += overlap;
      given += weight;
      if (largest < 0 || weight > taps.weight[largest]) largest = stored;
      taps.index[stored] = static_cast<int32_t>(i);
      taps.weight[stored] = weight;
      ++stored;
    }
    // Rounding down every weight would darken the picture a little.
    if (largest >= 0) taps.weight[largest] += static_cast<uint32_t>((covered * norm + side / 2) / side) - given;
  }
  taps.first[destinationCount] = stored;
  return 1;
}

void AverageRow(const PixelLevel& level, const AxisTaps& rows, int row, const AxisTaps& columns, int lowColumn,
                int columnCount, uint64_t* sums, uint32_t* destination, int destinationWidth) {
  std::fill(sums, sums + columnCount, 0);
  for (int32_t t = rows.first[row]; t < rows.first[row + 1]; ++t) {
    const uint32_t* source = level.pixels + static_cast<size_t>(rows.index[t]) * level.width + lowColumn;
    const uint64_t weight = rows.weight[t];
    for (int c = 0; c < columnCount; ++c) sums[c] += weight * SpreadLanes(source[c]);
  }
  for (int c = 0; c < columnCount; ++c) sums[c] = ((sums[c] + EachLane(512)) >> 10) & EachLane(0x3FF);
  for (int x = 0; x < destinationWidth; ++x) {
    uint64_t sum = 0;
    for (int32_t t = columns.first[x]; t < columns.first[x + 1]; ++t) {
      sum += columns.weight[t] * sums[columns.index[t] - lowColumn];
    }
    destination[x] = GatherLanes(((sum + EachLane(4096)) >> 13) & EachLane(0xFF));
  }
}

// Source index ranges of the AND rule: the source indices that map onto d.
void AndRange(int d, int sourceCount, int destinationCount, int& begin, int& end) {
  const int64_t s = sourceCount, n = destinationCount;
  begin = static_cast<int>((d * s + n - 1) / n);
  end = static_cast<int>(((d + 1) * s + n - 1) / n);
  if (begin >= end) {
    begin = static_cast<int>(d * s / n);
    end = begin + 1;
  }
}

}  // namespace

int ReduceByAnd(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                int destinationWidth, int destinationHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || destinationWidth <= 0 || destinationHeight <= 0) return 1;
  HeapArray<int32_t> columnBegin, columnEnd;
  if (!columnBegin.Allocate(destinationWidth) || !columnEnd.Allocate(destinationWidth)) return 0;
  for (int x = 0; x < destinationWidth; ++x) AndRange(x, sourceWidth, destinationWidth, columnBegin[x], columnEnd[x]);
  for (int y = 0; y < destinationHeight; ++y) {
    int rowBegin, rowEnd;
    AndRange(y, sourceHeight, destinationHeight, rowBegin, rowEnd);
    uint32_t* out = destination + static_cast<size_t>(y) * destinationWidth;
    for (int x = 0; x < destinationWidth; ++x) {
      uint32_t value = 0xFFFFFFFF;
      for (int sy = rowBegin; sy < rowEnd; ++sy) {
        const uint32_t* in = source + static_cast<size_t>(sy) * sourceWidth;
        for (int sx = columnBegin[x]; sx < columnEnd[x]; ++sx) value &= in[sx];
      }
      out[x] = value;
    }
  }
  return 1;
}

int AreaAverage(const PixelLevel& level, int pictureWidth, int pictureHeight, const SourceArea& area,
                uint32_t* destination, int destinationWidth, int destinationHeight) {
  if (destinationWidth <= 0 || destinationHeight <= 0) return 1;
  const size_t destinationCount = static_cast<size_t>(destinationWidth) * destinationHeight;
  if (area.width <= 0 || area.height <= 0 || level.width <= 0 || level.height <= 0) {
    std::fill(destination, destination + destinationCount, 0);
    return 1;
  }
  AxisTaps columns, rows;
  if (!BuildAxisTaps(area.x, area.width, pictureWidth, level.width, level.shift, destinationWidth, HORIZONTAL_NORM,
                     columns) ||
      !BuildAxisTaps(area.y, area.height, pictureHeight, level.height, level.shift, destinationHeight,
                     VERTICAL_NORM, rows)) {
    return 0;
  }
  // Columns come in rising order, so the first and last taps bound them all.
  const int32_t tapCount = columns.first[destinationWidth];
  const int lowColumn = tapCount ? columns.index[0] : 0;
  const int columnCount = tapCount ? columns.index[tapCount - 1] - lowColumn + 1 : 1;
  HeapArray<uint64_t> sums;
  if (!sums.Allocate(columnCount)) return 0;
  for (int y = 0; y < destinationHeight; ++y) {
    AverageRow(level, rows, y, columns, lowColumn, columnCount, sums.data,
               destination + static_cast<size_t>(y) * destinationWidth, destinationWidth);
  }
  return 1;
}

int AreaAverageWhole(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                     int destinationWidth, int destinationHeight) {
  const PixelLevel level = {source, sourceWidth, sourceHeight, 0};
  return AreaAverage(level, sourceWidth, sourceHeight, {0, 0, sourceWidth, sourceHeight}, destination,
                     destinationWidth, destinationHeight);
}
