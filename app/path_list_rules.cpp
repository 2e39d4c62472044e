#include "app/path_list_rules.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

int IsFullPath(const char* path) {
  if (IsLetter(path[0])) return path[1] == ':' && IsSeparator(path[2]);
  // A share needs its server's name after the two separators.
  return IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] && !IsSeparator(path[2]);
}

void ClearSlides(SlideList& list) {
  list.count = 0;
  list.heaped = 0;
  list.used = 0;
}

size_t PackSlides(const SlideList& list, char* bytes, size_t capacity) {
  size_t size = 0;
  for (int i = 0; i < list.count; ++i) {
    if (!AppendPackedSlide(bytes, size, capacity, SlideAt(list, i))) return 0;
  }
  return size;
}

int AppendPackedSlide(char* bytes, size_t& size, size_t capacity, const char* path) {
  const size_t start = size == 0 ? 0 : size - 1, length = std::strlen(path) + 1;
  if (start + length + 1 > capacity) return 0;
  std::memcpy(bytes + start, path, length);
  bytes[start + length] = '\0';
  size = start + length + 1;
  return 1;
}

int CountPackedSlides(const char* bytes, size_t size) {
  if (size < 2 || bytes[size - 1] != '\0' || bytes[size - 2] != '\0') return 0;
  int count = 0;
  for (size_t at = 0; at < size - 1; ++count) {
    const char* path = bytes + at;
    const size_t length = std::strlen(path);
    if (length == 0 || length >= PATH_BUFFER_SIZE || !IsFullPath(path) || count == SLIDES_MAX) return 0;
    at += length + 1;
  }
  return count;
}

int UnpackSlides(const char* bytes, size_t size, SlideList& list) {
  ClearSlides(list);
  const int count = CountPackedSlides(bytes, size);
  if (count == 0) return 0;
  // The paths with their zeros, each shorter than a path buffer, are the list's text as they stand.
  std::memcpy(list.text, bytes, size - 1);
  list.used = static_cast<uint32_t>(size - 1);
  for (uint32_t at = 0; list.count < count; at += static_cast<uint32_t>(std::strlen(list.text + at)) + 1) {
    list.offsets[list.count++] = at;
  }
  return 1;
}
