// An owned, zero-filled block of plain values from the C heap. Allocation
// failure is reported, never thrown: large pictures may not fit in memory.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <utility>

template <typename T>
struct HeapArray {
  T* data = nullptr;
  size_t count = 0;

  HeapArray() = default;
  HeapArray(const HeapArray&) = delete;
  HeapArray& operator=(const HeapArray&) = delete;
  HeapArray(HeapArray&& other) noexcept : data(std::exchange(other.data, nullptr)), count(std::exchange(other.count, 0)) {}
  HeapArray& operator=(HeapArray&& other) noexcept {
    if (this != &other) {
      std::free(data);
      data = std::exchange(other.data, nullptr);
      count = std::exchange(other.count, 0);
    }
    return *this;
  }
  ~HeapArray() { std::free(data); }

  // Replaces the contents with `newCount` zero values; 0 when there is no memory
  // for them (the old contents are gone either way).
  int Allocate(size_t newCount) {
    std::free(data);
    data = newCount ? static_cast<T*>(std::calloc(newCount, sizeof(T))) : nullptr;
    count = data ? newCount : 0;
    return data != nullptr || newCount == 0;
  }

  T& operator[](size_t index) { return data[index]; }
  const T& operator[](size_t index) const { return data[index]; }
};
