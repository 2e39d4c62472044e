// What every benchmark measures with: the performance counter in
// milliseconds and medians.
#pragma once
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median time of runs calls of work, each given its run's number.
inline double MedianOf(int runs, const std::function<void(int)>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work(i);
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
  }
  return Median(times);
}
