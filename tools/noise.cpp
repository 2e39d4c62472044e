#include "noise.h"

#include <cmath>

namespace {

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}

float Lattice(int32_t x, int32_t y, uint32_t seed) { return static_cast<float>(Hash(x, y, seed) & 0xFFFF) / 65535.0f; }

float Smooth(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const float tx = Smooth(x - fx), ty = Smooth(y - fy);
  const float top = Lattice(ix, iy, seed) + (Lattice(ix + 1, iy, seed) - Lattice(ix, iy, seed)) * tx;
  const float bottom = Lattice(ix, iy + 1, seed) + (Lattice(ix + 1, iy + 1, seed) - Lattice(ix, iy + 1, seed)) * tx;
  return top + (bottom - top) * ty;
}

float FractalNoise(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, weight = 1, total = 0, scale = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x * scale, y * scale, seed + static_cast<uint32_t>(i) * 101u) * weight;
    total += weight;
    weight *= 0.5f;
    scale *= 2.0f;
  }
  return sum / total;
}

uint32_t Random::Next() {
  state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
  const auto xorshifted = static_cast<uint32_t>(((state_ >> 18u) ^ state_) >> 27u);
  const auto rotation = static_cast<uint32_t>(state_ >> 59u);
  return (xorshifted >> rotation) | (xorshifted << ((32u - rotation) & 31u));
}

float Random::Between(float low, float high) { return low + (high - low) * static_cast<float>(Next() >> 8) / 16777216.0f; }
