// Deterministic noise and random numbers, so that every run of the generator
// draws exactly the same pictures on every machine.
#pragma once
#include <cstdint>

// Smooth value noise in [0, 1] over the plane, one lattice cell per unit.
float ValueNoise(float x, float y, uint32_t seed);
// Sum of octaves of value noise, in [0, 1].
float FractalNoise(float x, float y, int octaves, uint32_t seed);

// A small generator with its own fixed arithmetic (the standard library's
// distributions differ between implementations).
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t Next();
  // Uniform in [low, high).
  float Between(float low, float high);
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint64_t state_;
};
