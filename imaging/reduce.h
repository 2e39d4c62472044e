// Scaling of 0x00RRGGBB pixel buffers, in the program's own code so that the
// results are the same on every platform: key images by the AND rule (no
// blending), pictures by area averaging.
#pragma once
#include <cstdint>

// Each destination pixel is the bitwise AND of the source pixels that fall on
// it; when enlarging, source pixels are repeated. Keys therefore survive only
// where every source pixel under them is that key. 0 when out of memory.
int ReduceByAnd(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                int destinationWidth, int destinationHeight);

// A picture, or a reduction of it: `pixels` hold the picture reduced 2^shift
// times on each side (sizes rounded up), each pixel the average of the block
// of picture pixels it stands for.
struct PixelLevel {
  const uint32_t* pixels;
  int width, height;
  int shift;
};

// A rectangle in picture pixels. It may reach beyond the picture, which
// counts as white there, as the margin of a print.
struct SourceArea {
  int64_t x, y, width, height;
};

// Averages `area` of a picture of pictureWidth × pictureHeight onto the whole
// destination: each destination pixel gets the mean of the picture area it
// covers, weighted by how much of each pixel it covers. Works from any level
// of the picture. 0 when out of memory (the destination is then unchanged).
int AreaAverage(const PixelLevel& level, int pictureWidth, int pictureHeight, const SourceArea& area,
                uint32_t* destination, int destinationWidth, int destinationHeight);

// The destination columns [begin, end) of one row; none when begin >= end.
struct RowSpan {
  int32_t begin, end;
};

// AreaAverage for only the columns spans[y] of each destination row y (cut
// to the row), with the same pixels there; the rest of every row is black.
int AreaAverageSpans(const PixelLevel& level, int pictureWidth, int pictureHeight, const SourceArea& area,
                     uint32_t* destination, int destinationWidth, int destinationHeight, const RowSpan* spans);

// The whole of a picture onto the whole destination.
int AreaAverageWhole(const uint32_t* source, int sourceWidth, int sourceHeight, uint32_t* destination,
                     int destinationWidth, int destinationHeight);
