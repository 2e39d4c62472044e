// 0x00RRGGBB pixels in SSE2 registers, four at a time. SSE2 is what both
// builds have in common (every x86-64 processor, and every x86 processor
// that Windows 8 and later run on), and its 16-bit multiply-add keeps the
// weighted sums of the scaling loops in 32-bit lanes, which a 32-bit build
// handles as well as a 64-bit one.
#pragma once
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#ifndef __SSE2__
#error "the imaging loops need SSE2 code generation (-msse2)"
#endif

constexpr int PIXELS_PER_VECTOR = 4;

// `count` pixels from `pixels` (all four when count >= 4), the rest zero;
// never reads past the last of them.
inline __m128i LoadPixels(const uint32_t* pixels, int count) {
  if (count >= PIXELS_PER_VECTOR) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
  uint32_t part[PIXELS_PER_VECTOR] = {};
  std::memcpy(part, pixels, static_cast<size_t>(count) * sizeof(uint32_t));
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(part));
}

// The first `count` pixels of `value` (all four when count >= 4).
inline void StorePixels(uint32_t* pixels, __m128i value, int count) {
  if (count >= PIXELS_PER_VECTOR) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value);
    return;
  }
  uint32_t part[PIXELS_PER_VECTOR];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(part), value);
  std::memcpy(pixels, part, static_cast<size_t>(count) * sizeof(uint32_t));
}

// The bits of the first `count` lanes in a lane mask (_mm_movemask_ps).
inline int LaneBits(int count) { return count >= PIXELS_PER_VECTOR ? 0xF : (1 << count) - 1; }

// Two 16-bit weights side by side, as _mm_madd_epi16 takes them against
// interleaved pairs of 16-bit values: the first weight in the low half.
inline uint32_t WeightPair(uint32_t first, uint32_t second) { return first | second << 16; }
