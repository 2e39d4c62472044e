#include "imaging/extension_list.h"

#include <cstring>

namespace {

unsigned Code(char c) { return static_cast<unsigned char>(c); }
unsigned Code(Utf16Unit unit) { return unit; }

bool EndsEntry(unsigned code) { return code == ',' || code == ';' || code == 0; }

bool IsListed(const char* list, const char* extension, size_t length) {
  for (const char* entry = list; *entry;) {
    const char* end = std::strchr(entry, ';');
    const size_t entryLength = end ? static_cast<size_t>(end - entry) : std::strlen(entry);
    if (entryLength == length && std::memcmp(entry, extension, length) == 0) return true;
    entry += entryLength + (end ? 1 : 0);
  }
  return false;
}

void AddExtension(char* list, size_t capacity, const char* extension, size_t length) {
  if (length < 2 || length > EXTENSION_MAX || extension[0] != '.' || IsListed(list, extension, length)) return;
  const size_t used = std::strlen(list), start = used + (used ? 1 : 0);
  if (start + length + 1 > capacity) return;
  if (used) list[used] = ';';
  std::memcpy(list + start, extension, length);
  list[start + length] = '\0';
}

template <typename Unit>
void AddEach(char* list, size_t capacity, const Unit* extensions) {
  for (const Unit* entry = extensions; Code(*entry);) {
    // One more than the longest taken: a longer extension stays too long.
    char extension[EXTENSION_MAX + 1];
    size_t length = 0;
    const Unit* end = entry;
    for (; !EndsEntry(Code(*end)); ++end) {
      const unsigned code = Code(*end);
      if (code > ' ' && code < 0x80 && length < sizeof extension) {
        extension[length++] = static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code);
      }
    }
    AddExtension(list, capacity, extension, length);
    entry = end + (Code(*end) ? 1 : 0);
  }
}

}  // namespace

void AddExtensionList(char* list, size_t capacity, const char* extensions) { AddEach(list, capacity, extensions); }

void AddExtensionList(char* list, size_t capacity, const Utf16Unit* extensions) { AddEach(list, capacity, extensions); }
