#include "imaging/reduce.h"

#include <algorithm>

#include "imaging/heap_array.h"
#include "imaging/pixel_lanes.h"

namespace {

// Weights of the two passes. Vertical sums stay below 255 * 4096 < 2^20 per
// channel and are kept with 2 extra bits (at most 1020, a 16-bit value);
// horizontal sums stay below 1020 * 2048 < 2^21. Every weight fits 16 bits.
constexpr uint32_t VERTICAL_NORM = 4096;
constexpr uint32_t HORIZONTAL_NORM = 2048;
constexpr int VERTICAL_SHIFT = 10;
constexpr int HORIZONTAL_SHIFT = 13;
constexpr int SUMS_PER_COLUMN = 4;  // blue, green, red and the unused fourth byte
constexpr uint32_t WHITE_SUM = 255 * (VERTICAL_NORM >> VERTICAL_SHIFT);  // a white channel after the vertical pass

// For each destination index, the source indices it covers and their
// weights, two at a time: a last odd one pairs with itself at weight 0.
struct TapPairs {
  HeapArray<int32_t> first;     // per destination: where its pairs start; one extra entry ends the last
  HeapArray<int32_t> index;     // two per pair
  HeapArray<uint32_t> weights;  // one WeightPair per pair
  HeapArray<uint32_t> blank;    // per destination: the weight of its share beyond the picture, which is white
};

// Nearly every operand fits 32 bits, where dividing is several times
// cheaper, and a 32-bit build then makes no library call.
int64_t Quotient(int64_t dividend, int64_t divisor) {
  if (static_cast<uint64_t>(dividend) <= UINT32_MAX && static_cast<uint64_t>(divisor) <= UINT32_MAX) {
    return static_cast<uint32_t>(dividend) / static_cast<uint32_t>(divisor);
  }
  return dividend / divisor;
}

// Lengths are counted in units of 1/destinationCount picture pixel, so every
// boundary is an integer: destination d covers [origin*n + d*side, ... + side),
// level pixel i covers [i*2^shift*n, (i+1)*2^shift*n) cut at the picture's end.
int BuildTapPairs(int64_t origin, int64_t side, int pictureExtent, int levelExtent, int shift, int destinationCount,
                  uint32_t norm, TapPairs& pairs) {
  const int64_t n = destinationCount;
  const int64_t cell = (int64_t{1} << shift) * n;
  const int64_t pictureEnd = pictureExtent * n;
  const int64_t perDestination = std::min<int64_t>(levelExtent, Quotient(side, cell) + 2);
  const int64_t pairsPerDestination = (perDestination + 1) / 2;
  HeapArray<int32_t> index;  // one destination's taps
  HeapArray<uint32_t> weight;
  if (!index.Allocate(static_cast<size_t>(perDestination)) || !weight.Allocate(static_cast<size_t>(perDestination)) ||
      !pairs.first.Allocate(static_cast<size_t>(destinationCount) + 1) ||
      !pairs.index.Allocate(static_cast<size_t>(destinationCount * pairsPerDestination * 2)) ||
      !pairs.weights.Allocate(static_cast<size_t>(destinationCount * pairsPerDestination)) ||
      !pairs.blank.Allocate(static_cast<size_t>(destinationCount))) {
    return 0;
  }
  int32_t stored = 0;
  for (int d = 0; d < destinationCount; ++d) {
    pairs.first[d] = stored;
    const int64_t begin = origin * n + d * side;
    const int64_t end = begin + side;
    const int64_t low = std::max<int64_t>(0, Quotient(begin, cell) - 1);
    const int64_t high = std::min<int64_t>(levelExtent - 1, Quotient(end - 1, cell) + 1);
    int64_t covered = 0;
    uint32_t given = 0;
    int count = 0, largest = -1;
    for (int64_t i = low; i <= high; ++i) {
      const int64_t overlap = std::min({(i + 1) * cell, pictureEnd, end}) - std::max(i * cell, begin);
      if (overlap <= 0) continue;
      const uint32_t w = static_cast<uint32_t>(Quotient(overlap * norm, side));
      covered += overlap;
      given += w;
      if (largest < 0 || w > weight[largest]) largest = count;
      index[count] = static_cast<int32_t>(i);
      weight[count] = w;
      ++count;
    }
    // Rounding down every weight would darken the picture a little.
    const uint32_t inside = static_cast<uint32_t>(Quotient(covered * norm + side / 2, side));
    if (largest >= 0) weight[largest] += inside - given;
    pairs.blank[d] = norm - inside;
    for (int t = 0; t < count; t += 2, ++stored) {
      const bool single = t + 1 == count;
      pairs.index[2 * stored] = index[t];
      pairs.index[2 * stored + 1] = index[single ? t : t + 1];
      pairs.weights[stored] = WeightPair(weight[t], single ? 0 : weight[t + 1]);
    }
  }
  pairs.first[destinationCount] = stored;
  return 1;
}

// The vertical pass of one destination row over the level columns
// [lowColumn, lowColumn + columnCount): per column the weighted sum of its
// source rows, rounded to 10 bits a channel, as four 16-bit values.
void SumRows(const PixelLevel& level, const TapPairs& rows, int row, int lowColumn, int columnCount,
             const uint32_t** rowStarts, int16_t* sums) {
  const int32_t pairBegin = rows.first[row], pairCount = rows.first[row + 1] - pairBegin;
  for (int t = 0; t < 2 * pairCount; ++t) {
    rowStarts[t] = level.pixels + static_cast<size_t>(rows.index[2 * pairBegin + t]) * level.width + lowColumn;
  }
  const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi32(1 << (VERTICAL_SHIFT - 1));
  const __m128i white = _mm_set1_epi32(static_cast<int>(rows.blank[row] * 255));
  for (int c = 0; c < columnCount; c += PIXELS_PER_VECTOR) {
    const int count = columnCount - c;
    __m128i sum0 = white, sum1 = white, sum2 = white, sum3 = white;  // one pixel each
    for (int p = 0; p < pairCount; ++p) {
      const __m128i a = LoadPixels(rowStarts[2 * p] + c, count), b = LoadPixels(rowStarts[2 * p + 1] + c, count);
      const __m128i weights = _mm_set1_epi32(static_cast<int>(rows.weights[pairBegin + p]));
      // The bytes of both rows interleaved and widened: every 16-bit pair is
      // one channel of one pixel from the two rows, as the multiply-add wants.
      const __m128i low = _mm_unpacklo_epi8(a, b), high = _mm_unpackhi_epi8(a, b);
      sum0 = _mm_add_epi32(sum0, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), weights));
      sum1 = _mm_add_epi32(sum1, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), weights));
      sum2 = _mm_add_epi32(sum2, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), weights));
      sum3 = _mm_add_epi32(sum3, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), weights));
    }
    __m128i* out = reinterpret_cast<__m128i*>(sums + SUMS_PER_COLUMN * c);
    _mm_storeu_si128(out, _mm_packs_epi32(_mm_srli_epi32(_mm_add_epi32(sum0, half), VERTICAL_SHIFT),
                                          _mm_srli_epi32(_mm_add_epi32(sum1, half), VERTICAL_SHIFT)));
    _mm_storeu_si128(out + 1, _mm_packs_epi32(_mm_srli_epi32(_mm_add_epi32(sum2, half), VERTICAL_SHIFT),
                                              _mm_srli_epi32(_mm_add_epi32(sum3, half), VERTICAL_SHIFT)));
  }
}

// The horizontal pass for destination pixel x, whose column taps are offsets
// into `sums`: its four channel sums, rounded to 8 bits, in 32-bit lanes.
inline __m128i SumColumns(const int16_t* sums, const TapPairs& columns, int x) {
  __m128i sum = _mm_set1_epi32(static_cast<int>(columns.blank[x] * WHITE_SUM));
  for (int32_t p = columns.first[x]; p < columns.first[x + 1]; ++p) {
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums + columns.index[2 * p]));
    const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(sums + columns.index[2 * p + 1]));
    sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, b),
                                            _mm_set1_epi32(static_cast<int>(columns.weights[p]))));
  }
  return _mm_srli_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (HORIZONTAL_SHIFT - 1))), HORIZONTAL_SHIFT);
}

void AverageRow(const int16_t* sums, const TapPairs& columns, uint32_t* row, int begin, int end) {
  const __m128i channels = _mm_set1_epi32(0x00FFFFFF);
  for (int x = begin; x < end; x += PIXELS_PER_VECTOR) {
    const int count = end - x;
    const __m128i first = _mm_packs_epi32(SumColumns(sums, columns, x),
                                          count > 1 ? SumColumns(sums, columns, x + 1) : _mm_setzero_si128());
    const __m128i second =
        _mm_packs_epi32(count > 2 ? SumColumns(sums, columns, x + 2) : _mm_setzero_si128(),
                        count > 3 ? SumColumns(sums, columns, x + 3) : _mm_setzero_si128());
    StorePixels(row + x, _mm_and_si128(_mm_packus_epi16(first, second), channels), count);
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
  HeapArray<uint32_t> rows;  // the AND of one destination row's source rows
  if (!columnBegin.Allocate(destinationWidth) || !columnEnd.Allocate(destinationWidth) || !rows.Allocate(sourceWidth)) {
    return 0;
  }
  for (int x = 0; x < destinationWidth; ++x) AndRange(x, sourceWidth, destinationWidth, columnBegin[x], columnEnd[x]);
  for (int y = 0; y < destinationHeight; ++y) {
    int rowBegin, rowEnd;
    AndRange(y, sourceHeight, destinationHeight, rowBegin, rowEnd);
    std::fill(rows.data, rows.data + sourceWidth, 0xFFFFFFFF);
    for (int sy = rowBegin; sy < rowEnd; ++sy) {
      const uint32_t* in = source + static_cast<size_t>(sy) * sourceWidth;
      for (int sx = 0; sx < sourceWidth; ++sx) rows[sx] &= in[sx];
    }
    uint32_t* out = destination + static_cast<size_t>(y) * destinationWidth;
    for (int x = 0; x < destinationWidth; ++x) {
      uint32_t value = 0xFFFFFFFF;
      for (int sx = columnBegin[x]; sx < columnEnd[x]; ++sx) value &= rows[sx];
      out[x] = value;
    }
  }
  return 1;
}

int AreaAverage(const PixelLevel& level, int pictureWidth, int pictureHeight, const SourceArea& area,
                uint32_t* destination, int destinationWidth, int destinationHeight) {
  return AreaAverageSpans(level, pictureWidth, pictureHeight, area, destination, destinationWidth, destinationHeight,
                          nullptr);
}

int AreaAverageSpans(const PixelLevel& level, int pictureWidth, int pictureHeight, const SourceArea& area,
                     uint32_t* destination, int destinationWidth, int destinationHeight, const RowSpan* spans) {
  if (destinationWidth <= 0 || destinationHeight <= 0) return 1;
  const size_t destinationCount = static_cast<size_t>(destinationWidth) * destinationHeight;
  if (area.width <= 0 || area.height <= 0 || level.width <= 0 || level.height <= 0) {
    std::fill(destination, destination + destinationCount, 0x00FFFFFF);
    return 1;
  }
  TapPairs columns, rows;
  if (!BuildTapPairs(area.x, area.width, pictureWidth, level.width, level.shift, destinationWidth, HORIZONTAL_NORM,
                     columns) ||
      !BuildTapPairs(area.y, area.height, pictureHeight, level.height, level.shift, destinationHeight,
                     VERTICAL_NORM, rows)) {
    return 0;
  }
  // Columns come in rising order, so the first and last taps bound them all;
  // the vertical pass covers only those (of a span, only its own), and the
  // column taps become offsets into its sums.
  const int32_t pairCount = columns.first[destinationWidth];
  const int lowColumn = pairCount ? columns.index[0] : 0;
  const int columnCount = pairCount ? columns.index[2 * pairCount - 1] - lowColumn + 1 : 1;
  for (int32_t t = 0; t < 2 * pairCount; ++t) columns.index[t] = (columns.index[t] - lowColumn) * SUMS_PER_COLUMN;
  HeapArray<int16_t> sums;  // the vertical pass writes whole vectors of four columns
  HeapArray<const uint32_t*> rowStarts;
  if (!sums.Allocate((static_cast<size_t>(columnCount) + PIXELS_PER_VECTOR) * SUMS_PER_COLUMN) ||
      !rowStarts.Allocate(rows.index.count)) {
    return 0;
  }
  for (int y = 0; y < destinationHeight; ++y) {
    uint32_t* row = destination + static_cast<size_t>(y) * destinationWidth;
    const int begin = spans ? std::clamp(spans[y].begin, 0, destinationWidth) : 0;
    const int end = spans ? std::clamp(spans[y].end, begin, destinationWidth) : destinationWidth;
    std::fill(row, row + begin, 0);
    std::fill(row + end, row + destinationWidth, 0);
    const int32_t pairBegin = columns.first[begin], pairEnd = columns.first[end];
    if (pairBegin < pairEnd) {
      const int first = columns.index[2 * pairBegin] / SUMS_PER_COLUMN;
      const int last = columns.index[2 * pairEnd - 1] / SUMS_PER_COLUMN;
      SumRows(level, rows, y, lowColumn + first, last - first + 1, rowStarts.data,
              sums.data + static_cast<size_t>(first) * SUMS_PER_COLUMN);
    }
    AverageRow(sums.data, columns, row, begin, end);
  }
  return 1;
}

int AreaAverageWhole(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                     int destinationWidth, int destinationHeight) {
  const PixelLevel level = {source, sourceWidth, sourceHeight, 0};
  return AreaAverage(level, sourceWidth, sourceHeight, {0, 0, sourceWidth, sourceHeight}, destination,
                     destinationWidth, destinationHeight);
}
