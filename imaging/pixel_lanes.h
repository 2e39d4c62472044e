// The three colour channels of a 0x00RRGGBB pixel side by side in 21-bit
// lanes of one 64-bit value, so that one add or multiply-add works on all
// three. Callers keep every lane below 2^21.
#pragma once
#include <cstdint>

constexpr int LANE_BITS = 21;

constexpr uint64_t EachLane(uint64_t value) { return value | value << LANE_BITS | value << (2 * LANE_BITS); }

inline uint64_t SpreadLanes(uint32_t pixel) {
  return (pixel & 0xFF) | static_cast<uint64_t>(pixel >> 8 & 0xFF) << LANE_BITS |
         static_cast<uint64_t>(pixel >> 16 & 0xFF) << (2 * LANE_BITS);
}

// The low 8 bits of each lane as a pixel.
inline uint32_t GatherLanes(uint64_t lanes) {
  return static_cast<uint32_t>(lanes & 0xFF) | static_cast<uint32_t>(lanes >> LANE_BITS & 0xFF) << 8 |
         static_cast<uint32_t>(lanes >> (2 * LANE_BITS) & 0xFF) << 16;
}
