// The one owner of a system handle: released when the owner goes, never
// copied. Using a handle is separate from owning it: callers pass `.handle`.
#pragma once
#include <windows.h>

template <typename Handle, typename Traits>
struct OwnedHandle {
  Handle handle = Traits::Empty();

  OwnedHandle() = default;
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(Traits::Empty()); }

  // Releases what the owner held and takes `other`.
  void Reset(Handle other) {
    if (handle != Traits::Empty()) Traits::Release(handle);
    handle = other;
  }
};

struct GlobalMemoryTraits {
  static HGLOBAL Empty() { return nullptr; }
  static void Release(HGLOBAL memory) { GlobalFree(memory); }
};

struct OwnedFileTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Release(HANDLE file) { CloseHandle(file); }
};

struct BitmapTraits {
  static HBITMAP Empty() { return nullptr; }
  static void Release(HBITMAP bitmap) { DeleteObject(bitmap); }
};

template <typename Object>
struct GdiObjectTraits {
  static Object Empty() { return nullptr; }
  static void Release(Object object) { DeleteObject(object); }
};

struct MenuTraits {
  static HMENU Empty() { return nullptr; }
  static void Release(HMENU menu) { DestroyMenu(menu); }
};

// A movable global block; once a stream owns it, the stream frees it and the
// owner lets go (handle set to null).
using GlobalMemory = OwnedHandle<HGLOBAL, GlobalMemoryTraits>;
using OwnedFile = OwnedHandle<HANDLE, OwnedFileTraits>;
using OwnedBitmap = OwnedHandle<HBITMAP, BitmapTraits>;
using OwnedBrush = OwnedHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
// A menu owns the submenus appended to it.
using OwnedMenu = OwnedHandle<HMENU, MenuTraits>;
