#include "framewindow/slide_order.h"

#include <algorithm>
#include <cstring>

namespace {

unsigned char Folded(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Compares the digit runs at a and b by value and moves both past them.
int CompareNumbers(const char*& a, const char*& b) {
  while (*a == '0') ++a;
  while (*b == '0') ++b;
  const char *aStart = a, *bStart = b;
  while (IsDigit(*a)) ++a;
  while (IsDigit(*b)) ++b;
  if (a - aStart != b - bStart) return a - aStart < b - bStart ? -1 : 1;
  for (; aStart < a; ++aStart, ++bStart) {
    if (*aStart != *bStart) return *aStart < *bStart ? -1 : 1;
  }
  return 0;
}

struct NameOrder {
  const char* text;
  bool operator()(uint32_t a, uint32_t b) const { return CompareNaturalNames(text + a, text + b) < 0; }
};

// Moves the live names to the front of the text, dropping those replaced.
void CompactSlides(SlideList& list) {
  uint32_t* byPlace[SLIDES_MAX];
  for (int i = 0; i < list.count; ++i) byPlace[i] = &list.offsets[i];
  std::sort(byPlace, byPlace + list.count, [](const uint32_t* a, const uint32_t* b) { return *a < *b; });
  list.used = 0;
  for (int i = 0; i < list.count; ++i) {
    const size_t length = std::strlen(list.text + *byPlace[i]) + 1;
    std::memmove(list.text + list.used, list.text + *byPlace[i], length);
    *byPlace[i] = list.used;
    list.used += static_cast<uint32_t>(length);
  }
}

}  // namespace

int CompareNaturalNames(const char* a, const char* b) {
  const char *first = a, *second = b;
  while (*a && *b) {
    if (IsDigit(*a) && IsDigit(*b)) {
      if (const int order = CompareNumbers(a, b)) return order;
      continue;
    }
    if (Folded(*a) != Folded(*b)) return Folded(*a) < Folded(*b) ? -1 : 1;
    ++a;
    ++b;
  }
  if (*a || *b) return *a ? 1 : -1;
  // Names equal but for case or leading zeros still get one order.
  return std::strcmp(first, second);
}

int HasListedExtension(const char* name, const char* extensions) {
  const char* dot = std::strrchr(name, '.');
  if (!dot || std::strchr(dot, '\\')) return 0;
  const size_t length = std::strlen(dot);
  for (const char* entry = extensions; *entry;) {
    const char* end = std::strchr(entry, ';');
    const size_t entryLength = end ? static_cast<size_t>(end - entry) : std::strlen(entry);
    if (entryLength == length &&
        std::equal(dot, dot + length, entry, [](char x, char y) { return Folded(x) == Folded(y); })) {
      return 1;
    }
    entry += entryLength + (end ? 1 : 0);
  }
  return 0;
}

int AddSlide(SlideList& list, const char* name) {
  const size_t length = std::strlen(name) + 1;
  if (length < 2 || length > PATH_BUFFER_SIZE) return 0;
  const NameOrder order{list.text};
  int slot = list.count;
  if (list.count == SLIDES_MAX) {
    if (!list.heaped) std::make_heap(list.offsets, list.offsets + SLIDES_MAX, order);
    list.heaped = 1;
    if (CompareNaturalNames(name, list.text + list.offsets[0]) >= 0) return 0;
    std::pop_heap(list.offsets, list.offsets + SLIDES_MAX, order);
    slot = SLIDES_MAX - 1;
    list.count = SLIDES_MAX - 1;  // the replaced name is out while the text is compacted
  }
  if (list.used + length > sizeof list.text) CompactSlides(list);
  std::memcpy(list.text + list.used, name, length);
  list.offsets[slot] = list.used;
  list.used += static_cast<uint32_t>(length);
  list.count = slot + 1;
  if (list.heaped) std::push_heap(list.offsets, list.offsets + SLIDES_MAX, order);
  return 1;
}

void SortSlides(SlideList& list) {
  std::sort(list.offsets, list.offsets + list.count, NameOrder{list.text});
  list.heaped = 0;
}

uint32_t NextRandom(uint32_t& state) {
  // xorshift32: any state but 0 cycles through every other value.
  if (state == 0) state = 0x9E3779B9u;
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

void ShuffleRound(int* order, int count, int avoid, uint32_t& state) {
  for (int i = 0; i < count; ++i) order[i] = i;
  for (int i = count - 1; i > 0; --i) std::swap(order[i], order[NextRandom(state) % static_cast<uint32_t>(i + 1)]);
  if (count > 1 && order[0] == avoid) std::swap(order[0], order[1 + NextRandom(state) % static_cast<uint32_t>(count - 1)]);
}

int SlideMayChange(const SlideConditions& now) {
  return now.visible && !now.minimised && !now.pointerOver && !now.dragging && !now.menuOpen && !now.dialogOpen;
}
