// What the loader reads from a file before decoding it: the declared size,
// the size limit and the EXIF orientation, and how a picture is turned upright.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/exif_orientation.h"
#include "imaging/image_header.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& bytes, std::initializer_list<int> values) {
  for (int value : values) bytes.push_back(static_cast<uint8_t>(value));
}

Bytes PngHeader(uint32_t width, uint32_t height) {
  Bytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (uint32_t value : {width, height}) {
    Append(bytes, {static_cast<int>(value >> 24), static_cast<int>(value >> 16 & 0xFF),
                   static_cast<int>(value >> 8 & 0xFF), static_cast<int>(value & 0xFF)});
  }
  Append(bytes, {8, 2, 0, 0, 0, 0, 0, 0, 0});
  return bytes;
}

// An APP1 payload with one orientation entry, in either byte order.
Bytes ExifPayload(int orientation, bool bigEndian) {
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  if (bigEndian) {
    Append(payload, {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2});
    Append(payload, {0x01, 0x0F, 0, 2, 0, 0, 0, 4, 0, 0, 0, 0});  // Make, skipped
    Append(payload, {0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, orientation, 0, 0});
  } else {
    Append(payload, {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0});
    Append(payload, {0x12, 0x01, 3, 0, 1, 0, 0, 0, orientation, 0, 0, 0});
  }
  Append(payload, {0, 0, 0, 0});
  return payload;
}

Bytes JpegHeader(int width, int height, const Bytes& exif) {
  Bytes bytes = {0xFF, 0xD8};
  if (!exif.empty()) {
    const size_t length = exif.size() + 2;
    Append(bytes, {0xFF, 0xE1, static_cast<int>(length >> 8), static_cast<int>(length & 0xFF)});
    bytes.insert(bytes.end(), exif.begin(), exif.end());
  }
  Append(bytes, {0xFF, 0xDB, 0, 4, 0, 0});                                      // a table, skipped
  Append(bytes, {0xFF, 0xC4, 0, 4, 0, 0});                                      // DHT is no frame header
  Append(bytes, {0xFF, 0xC2, 0, 11, 8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 3, 0, 0, 0});
  Append(bytes, {0xFF, 0xDA, 0, 2});
  return bytes;
}

TEST(ReadImageHeader, ReadsTheDeclaredSizeOfEachFormat) {
  const Bytes png = PngHeader(20000, 20000);
  ImageHeader header = ReadImageHeader(png.data(), png.size());
  EXPECT_EQ(header.width, 20000);
  EXPECT_EQ(header.height, 20000);

  const Bytes jpeg = JpegHeader(30000, 20000, {});
  header = ReadImageHeader(jpeg.data(), jpeg.size());
  EXPECT_EQ(header.width, 30000);
  EXPECT_EQ(header.height, 20000);
  EXPECT_EQ(header.orientation, 1);

  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00, 0, 0, 0};
  header = ReadImageHeader(gif.data(), gif.size());
  EXPECT_EQ(header.width, 320);
  EXPECT_EQ(header.height, 240);

  Bytes bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[14] = 40;
  bmp[18] = 0x80;  // 640
  bmp[19] = 0x02;
  for (int i = 22; i < 26; ++i) bmp[i] = 0xFF;  // -1 - 479 = -480: top-down rows
  bmp[22] = 0x20;
  bmp[23] = 0xFE;
  header = ReadImageHeader(bmp.data(), bmp.size());
  EXPECT_EQ(header.width, 640);
  EXPECT_EQ(header.height, 480);
}

TEST(ReadImageHeader, UnknownOrTruncatedDataDeclaresNothing) {
  const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
  Bytes cutPng = PngHeader(5, 5);
  cutPng.resize(20);
  for (const Bytes& bytes : {text, Bytes{}, cutPng, Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0x00}}) {
    const ImageHeader header = ReadImageHeader(bytes.data(), bytes.size());
    EXPECT_EQ(header.width, 0);
    EXPECT_EQ(header.height, 0);
    EXPECT_EQ(header.orientation, 1);
  }
}

TEST(ImageSizeAllowed, RefusesEmptyNegativeAndTooLargePictures) {
  EXPECT_TRUE(ImageSizeAllowed(1, 1));
  EXPECT_TRUE(ImageSizeAllowed(4000, 3000));
  EXPECT_TRUE(ImageSizeAllowed(8192, 8192));
  EXPECT_TRUE(ImageSizeAllowed(30000, 100));
  EXPECT_FALSE(ImageSizeAllowed(0, 10));
  EXPECT_FALSE(ImageSizeAllowed(10, -1));
  EXPECT_FALSE(ImageSizeAllowed(20000, 20000));
  EXPECT_FALSE(ImageSizeAllowed(30000, 20000));
  EXPECT_FALSE(ImageSizeAllowed(int64_t{1} << 40, 1));
}

TEST(ReadExifOrientation, ReadsBothByteOrdersAndRefusesMalformedTags) {
  for (int orientation = 1; orientation <= 8; ++orientation) {
    for (bool bigEndian : {false, true}) {
      const Bytes payload = ExifPayload(orientation, bigEndian);
      EXPECT_EQ(ReadExifOrientation(payload.data(), payload.size()), orientation) << bigEndian;
    }
  }
  const Bytes outOfRange = ExifPayload(9, false);
  EXPECT_EQ(ReadExifOrientation(outOfRange.data(), outOfRange.size()), 1);
  Bytes cut = ExifPayload(6, true);
  cut.resize(24);  // the entry is cut off
  EXPECT_EQ(ReadExifOrientation(cut.data(), cut.size()), 1);
  Bytes farOffset = ExifPayload(6, false);
  farOffset[10] = 0xFF;  // directory offset beyond the payload
  EXPECT_EQ(ReadExifOrientation(farOffset.data(), farOffset.size()), 1);
  const Bytes xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(ReadExifOrientation(xmp.data(), xmp.size()), 1);
}

TEST(ReadImageHeader, FindsTheOrientationOfAJpeg) {
  const Bytes jpeg = JpegHeader(640, 480, ExifPayload(6, false));
  const ImageHeader header = ReadImageHeader(jpeg.data(), jpeg.size());
  EXPECT_EQ(header.orientation, 6);
  EXPECT_EQ(header.width, 640);
  EXPECT_EQ(header.height, 480);
}

TEST(OrientPixels, TurnsAndMirrorsAsEachTagSays) {
  // Stored 3 x 2:  1 2 3
  //                4 5 6
  const std::vector<uint32_t> stored = {1, 2, 3, 4, 5, 6};
  const std::vector<uint32_t> upright[9] = {
      {},
      {1, 2, 3, 4, 5, 6},  // 1: as stored
      {3, 2, 1, 6, 5, 4},  // 2: mirrored
      {6, 5, 4, 3, 2, 1},  // 3: half turn
      {4, 5, 6, 1, 2, 3},  // 4: mirrored top to bottom
      {1, 4, 2, 5, 3, 6},  // 5: transposed (2 x 3)
      {4, 1, 5, 2, 6, 3},  // 6: quarter turn clockwise
      {6, 3, 5, 2, 4, 1},  // 7: transverse
      {3, 6, 2, 5, 1, 4},  // 8: quarter turn anticlockwise
  };
  for (int orientation = 1; orientation <= 8; ++orientation) {
    std::vector<uint32_t> out(6, 0);
    OrientPixels(stored.data(), 3, 2, orientation, out.data());
    EXPECT_EQ(out, upright[orientation]) << orientation;
    EXPECT_EQ(OrientationSwapsSides(orientation), orientation >= 5) << orientation;
  }
}

}  // namespace
