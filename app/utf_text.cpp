#include "app/utf_text.h"

#include <cstdint>
#include <cstring>

namespace {

// The code point of the UTF-8 sequence at `bytes` (at most `left` bytes), its
// length in `length`; UINT32_MAX when it is malformed.
uint32_t DecodeUtf8(const unsigned char* bytes, size_t left, size_t& length) {
  const unsigned lead = bytes[0];
  uint32_t code, least;
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return UINT32_MAX;
  }
  if (length > left) return UINT32_MAX;
  for (size_t i = 1; i < length; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) return UINT32_MAX;
    code = code << 6 | (bytes[i] & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return UINT32_MAX;
  return code;
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

template <typename Char>
size_t LengthOf(const Char* text) {
  size_t length = 0;
  while (text[length]) ++length;
  return length;
}

}  // namespace

size_t Utf8ToUtf16(const char* bytes, size_t count, Utf16Unit* units, size_t unitsSize) {
  const auto* in = reinterpret_cast<const unsigned char*>(bytes);
  size_t written = 0;
  for (size_t at = 0, length = 0; at < count; at += length) {
    const uint32_t code = DecodeUtf8(in + at, count - at, length);
    const size_t needed = code >= 0x10000 ? 2 : 1;
    if (code == UINT32_MAX || unitsSize - written < needed) return 0;
    if (units && needed == 2) {
      units[written] = static_cast<Utf16Unit>(0xD800 + ((code - 0x10000) >> 10));
      units[written + 1] = static_cast<Utf16Unit>(0xDC00 + (code & 0x3FF));
    } else if (units) {
      units[written] = static_cast<Utf16Unit>(code);
    }
    written += needed;
  }
  return written;
}

size_t Utf16ToUtf8(const Utf16Unit* units, size_t count, char* bytes, size_t bytesSize) {
  size_t written = 0;
  for (size_t at = 0; at < count; ++at) {
    uint32_t code = static_cast<uint16_t>(units[at]);
    if (IsHighSurrogate(code) && at + 1 < count && IsLowSurrogate(static_cast<uint16_t>(units[at + 1]))) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<uint16_t>(units[++at]) - 0xDC00);
    } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
      return 0;
    }
    const size_t length = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    if (bytesSize - written < length) return 0;
    static constexpr unsigned char LEADS[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = length - 1; i > 0; --i, code >>= 6) bytes[written + i] = static_cast<char>(0x80 | (code & 0x3F));
    bytes[written] = static_cast<char>(LEADS[length] | code);
    written += length;
  }
  return written;
}

int WidenPath(const char* path, Utf16Unit* wide, size_t wideSize) {
  if (Utf8ToUtf16(path, std::strlen(path) + 1, wide, wideSize) > 0) return 1;
  if (wideSize > 0) wide[0] = 0;
  return 0;
}

int NarrowPath(const Utf16Unit* wide, char* path, size_t pathSize) {
  if (Utf16ToUtf8(wide, LengthOf(wide) + 1, path, pathSize) > 0) return 1;
  if (pathSize > 0) path[0] = '\0';
  return 0;
}
