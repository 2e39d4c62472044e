// What the loader reads from a file before decoding it: the declared size,
// the size limit and the EXIF orientation, and how a picture is turned upright.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <string_view>

#include "imaging/exif_orientation.h"
#include "imaging/image_header.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes joined;
  for (const Bytes& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

const Bytes EXIF = {'E', 'x', 'i', 'f', 0, 0};
const Bytes LITTLE = {'I', 'I', 42, 0, 8, 0, 0, 0};
// One orientation entry ending exactly where the payload does; its type is at byte 18, its value at 24.
const Bytes ENTRY_6 = {1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0};
const Bytes LITTLE_6 = Join({EXIF, LITTLE, ENTRY_6});
// Two entries, the first (Make) skipped; orientation 8.
const Bytes BIG_8 = Join({EXIF, {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2, 0x01, 0x0F, 0, 2, 0, 0, 0, 4, 0, 0, 0, 0},
                          {0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 8, 0, 0}});

Bytes With(Bytes bytes, size_t at, uint8_t value) {
  bytes[at] = value;
  return bytes;
}

// The directory 65544 bytes into the TIFF structure: its offset needs the high half of the 32-bit read.
const Bytes FAR_DIRECTORY = Join({EXIF, {'I', 'I', 42, 0, 8, 0, 1, 0}, Bytes(65536, 0), ENTRY_6});

TEST(ExifOrientation, ReadsTheTagOfEitherByteOrderRefusesMalformedOnesAndTurnsAsEachTagSays) {
  const struct { const char* what; Bytes payload; int orientation; } cases[] = {
      {"little-endian", LITTLE_6, 6}, {"big-endian, second entry", BIG_8, 8}, {"far directory", FAR_DIRECTORY, 6},
      {"value 0", With(LITTLE_6, 24, 0), 1}, {"value 9", With(LITTLE_6, 24, 9), 1}, {"type LONG", With(LITTLE_6, 18, 4), 1},
      {"count 2", With(LITTLE_6, 20, 2), 1}, {"cut by a byte", Bytes(LITTLE_6.begin(), LITTLE_6.end() - 1), 1},
      {"no Exif name", With(LITTLE_6, 4, 'f'), 1}, {"no byte order", With(LITTLE_6, 6, 'X'), 1},
      {"directory beyond the payload", With(LITTLE_6, 10, 0xFF), 1},
      {"too short", Bytes(LITTLE_6.begin(), LITTLE_6.begin() + 13), 1}};
  for (const auto& c : cases) EXPECT_EQ(ReadExifOrientation(c.payload.data(), c.payload.size()), c.orientation) << c.what;
  std::vector<int> values;  // BIG_8's value at byte 37
  for (uint8_t value = 1; value <= 8; ++value) values.push_back(ReadExifOrientation(With(BIG_8, 37, value).data(), BIG_8.size()));
  EXPECT_EQ(values, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));

  // Each tag turns and mirrors the picture as it says.
  // Stored 3 x 2:  1 2 3
  //                4 5 6
  // As stored, mirrored, half turn, mirrored top to bottom, transposed (2 x 3), quarter turn clockwise,
  // transverse, quarter turn anticlockwise.
  const std::vector<uint32_t> upright[9] = {{}, {1, 2, 3, 4, 5, 6}, {3, 2, 1, 6, 5, 4}, {6, 5, 4, 3, 2, 1}, {4, 5, 6, 1, 2, 3},
                                            {1, 4, 2, 5, 3, 6}, {4, 1, 5, 2, 6, 3}, {6, 3, 5, 2, 4, 1}, {3, 6, 2, 5, 1, 4}};
  for (int orientation = 0; orientation <= 9; ++orientation) {
    std::vector<uint32_t> out(6, 0);
    OrientPixels(upright[1].data(), 3, 2, orientation, out.data());
    EXPECT_EQ(out, upright[orientation >= 1 && orientation <= 8 ? orientation : 1]) << orientation;
    EXPECT_EQ(OrientationSwapsSides(orientation), orientation >= 5 && orientation <= 8) << orientation;
  }
}

Bytes Jpeg(const Bytes& exif) {
  const Bytes app1 = {0xFF, 0xE1, 0, static_cast<uint8_t>(exif.size() + 2)};
  return Join({{0xFF, 0xD8, 0xFF, 0xE0, 0, 2, 0xFF, 0xFF, 0xFF, 0x01}, exif.empty() ? Bytes{} : app1, exif,
               {0xFF, 0xDB, 0, 4, 0, 0, 0xFF, 0xC4, 0, 4, 0, 0},  // a table, and DHT, which is no frame header
               {0xFF, 0xC2, 0, 7, 8, 0x4E, 0x21, 0x75, 0x32, 0xFF, 0xDA, 0, 2}});
}

TEST(ReadImageHeader, ReadsTheDeclaredSizeOfEachFormatFromItsShortestHeader) {
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R', 1, 2, 3, 4, 0, 5, 6, 7};
  const Bytes jpeg = Jpeg({});
  const Bytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 0x80, 0x02, 0x01, 0, 0x20, 0xFE, 0xFF, 0xFF};
  const struct { const char* what; Bytes bytes; int64_t width, height; int orientation; } cases[] = {
      {"PNG", png, 0x01020304, 0x050607, 1}, {"JPEG", jpeg, 30002, 20001, 1}, {"JPEG with EXIF", Jpeg(LITTLE_6), 30002, 20001, 6},
      {"JPEG, a restart marker and the last kind of frame header", With(With(jpeg, 9, 0xD7), 23, 0xCF), 30002, 20001, 1},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00}, 320, 240, 1},
      {"GIF87a", {'G', 'I', 'F', '8', '7', 'a', 0x40, 0x01, 0xF0, 0x01}, 320, 496, 1},
      {"BMP, rows top-down", bmp, 0x10280, 480, 1},
      {"BMP, rows bottom-up", With(With(With(bmp, 23, 0x01), 24, 0), 25, 0), 0x10280, 0x120, 1},
      {"OS/2 BMP", With(With(bmp, 14, 12), 20, 0xF0), 0x280, 240, 1},
      {"text", Bytes(26, 'B'), 0, 0, 1}, {"nothing", {}, 0, 0, 1}, {"PNG cut short", Bytes(png.begin(), png.end() - 1), 0, 0, 1},
      {"JPEG segment past the end", {0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0x00}, 0, 0, 1},
      {"JPEG frame header cut short", Bytes(jpeg.begin(), jpeg.end() - 5), 0, 0, 1},
      {"JPEG frame header shorter than its sizes", {0xFF, 0xD8, 0xFF, 0xC0, 0, 3, 8}, 0, 0, 1}};
  for (const auto& c : cases) {
    const ImageHeader header = ReadImageHeader(c.bytes.data(), c.bytes.size());
    // Bytes that begin as a picture: a damaged one when no decoder gets through them.
    const bool known = std::string_view(c.what) != "text" && std::string_view(c.what) != "nothing" &&
                       std::string_view(c.what) != "PNG cut short";
    EXPECT_EQ((std::vector<int64_t>{header.width, header.height, header.orientation, header.known}),
              (std::vector<int64_t>{c.width, c.height, c.orientation, known}))
        << c.what;
  }
}

TEST(ImageSizeAllowed, TakesBothSidesPositiveUpToTheLargestPicture) {
  constexpr int64_t most = MAX_IMAGE_PIXELS;
  const int64_t cases[][3] = {{1, 1, 1},  {8192, 8192, 1}, {most, 1, 1},    {1, most, 1},      {0, 10, 0},
                               {10, 0, 0}, {10, -1, 0},     {-1, 10, 0},     {8192, 8193, 0},   {most + 1, 1, 0},
                               {1, most + 1, 0}, {int64_t{1} << 40, int64_t{1} << 40, 0}};
  for (const auto& [w, h, allowed] : cases) EXPECT_EQ(ImageSizeAllowed(w, h), allowed) << w << "x" << h;
}


}  // namespace
