// The one owner of a COM interface pointer: released when the owner goes.
#pragma once
#include <unknwn.h>

#include <utility>

template <typename T>
struct ComRef {
  T* pointer = nullptr;

  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : pointer(std::exchange(other.pointer, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer = std::exchange(other.pointer, nullptr);
    }
    return *this;
  }
  ~ComRef() { Reset(); }

  void Reset() {
    if (pointer) std::exchange(pointer, nullptr)->Release();
  }
  // For calls that hand out a new reference.
  T** Receive() {
    Reset();
    return &pointer;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }
  T* operator->() const { return pointer; }
};
