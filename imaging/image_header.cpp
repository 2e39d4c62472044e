#include "imaging/image_header.h"

#include <cstring>

#include "imaging/exif_orientation.h"

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | p[2] << 8 | p[3]; }
uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint16_t LittleEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
int32_t LittleEndian32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

bool IsStartOfFrame(uint8_t marker) {
  // SOF0 to SOF15, except DHT (C4), JPG (C8) and DAC (CC), which share the range.
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the start of the scan.
void ReadJpegHeader(const uint8_t* bytes, size_t size, ImageHeader& header) {
  size_t at = 2;
  while (at + 4 <= size) {
    if (bytes[at] != 0xFF) return;
    const uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {  // segments without length
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return;
    const size_t length = BigEndian16(bytes + at + 2);
    if (length < 2 || at + 2 + length > size) return;
    const uint8_t* payload = bytes + at + 4;
    const size_t payloadSize = length - 2;
    if (IsStartOfFrame(marker) && payloadSize >= 5) {
      header.height = BigEndian16(payload + 1);
      header.width = BigEndian16(payload + 3);
    } else if (marker == 0xE1 && header.orientation == 1) {
      header.orientation = ReadExifOrientation(payload, payloadSize);
    }
    at += 2 + length;
  }
}

}  // namespace

int ImageSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= MAX_IMAGE_PIXELS && height <= MAX_IMAGE_PIXELS &&
         width * height <= MAX_IMAGE_PIXELS;
}

ImageHeader ReadImageHeader(const uint8_t* bytes, size_t size) {
  ImageHeader header;
  if (size >= 24 && std::memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0 && std::memcmp(bytes + 12, "IHDR", 4) == 0) {
    header.known = true;
    header.width = BigEndian32(bytes + 16);
    header.height = BigEndian32(bytes + 20);
  } else if (size >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    header.known = true;
    ReadJpegHeader(bytes, size, header);
  } else if (size >= 10 && (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0)) {
    header.known = true;
    header.width = LittleEndian16(bytes + 6);
    header.height = LittleEndian16(bytes + 8);
  } else if (size >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
    header.known = true;
    const int32_t infoSize = LittleEndian32(bytes + 14);
    if (infoSize == 12) {
      header.width = LittleEndian16(bytes + 18);
      header.height = LittleEndian16(bytes + 20);
    } else {
      header.width = LittleEndian32(bytes + 18);
      const int64_t height = LittleEndian32(bytes + 22);
      header.height = height < 0 ? -height : height;  // negative: rows stored top-down
    }
  }
  return header;
}

namespace {

// The first bytes of every format the decoders read that has a mark.
bool BeginsWithMark(const uint8_t* bytes, size_t size) {
  const struct {
    size_t offset;
    const char* mark;
    size_t length;
  } marks[] = {{0, "\x89PNG", 4},        {0, "\xFF\xD8\xFF", 3}, {0, "GIF8", 4},        {0, "BM", 2},
               {0, "\0\0\1\0", 4},       {0, "\0\0\2\0", 4},      {40, " EMF", 4},       {0, "\xD7\xCD\xC6\x9A", 4},
               {0, "II*\0", 4},          {0, "MM\0*", 4},          {0, "DDS ", 4},        {0, "II\xBC", 3},
               {8, "WEBP", 4},           {4, "ftyp", 4},           {0, "\x01\0\x09\0", 4}};
  for (const auto& m : marks) {
    if (size >= m.offset + m.length && std::memcmp(bytes + m.offset, m.mark, m.length) == 0) return true;
  }
  return false;
}

// The extensions of formats whose files always begin with a mark.
constexpr const char* MARKED_EXTENSIONS[] = {".jpg", ".jpeg", ".jpe", ".jfif", ".png", ".gif", ".bmp", ".dib",
                                             ".ico", ".cur", ".emf", ".wmf", ".tif", ".tiff", ".dds", ".jxr",
                                             ".wdp", ".hdp", ".webp", ".heic", ".heif", ".avif"};

bool NamePromisesMark(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (!dot || std::strpbrk(dot, "\\/")) return false;
  for (const char* extension : MARKED_EXTENSIONS) {
    size_t i = 0;
    while (extension[i] && dot[i] && (dot[i] | 0x20) == extension[i]) ++i;
    if (!extension[i] && !dot[i]) return true;
  }
  return false;
}

}  // namespace

int BeginsAsNoPicture(const uint8_t* bytes, size_t size, const char* name) {
  return NamePromisesMark(name) && !BeginsWithMark(bytes, size);
}
