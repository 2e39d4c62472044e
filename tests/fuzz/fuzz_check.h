// What every fuzz target shares: a failed property ends the run with a
// message, so libFuzzer keeps the input that broke it.
#pragma once
#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}
