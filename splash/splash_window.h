// What the main thread hands to the splash thread. The pictures are complete
// before the thread starts and only read after; the hand-over is one value
// that the first of the two threads to claim it decides.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "imaging/surface.h"

struct SplashPictureRecord {
  Surface surface;
  int width = 0;
  int height = 0;
  uint32_t* pixels = nullptr;
};

extern SplashPictureRecord SplashPicture;  // outside key marks what is not the window
extern SplashPictureRecord HintPicture;    // shown whole; empty when it did not decode
extern POINT SplashPosition;
extern int SplashShownAtStart;
extern HANDLE SplashReady;

enum : int { HAND_OVER_PENDING, HAND_OVER_READY, HAND_OVER_ABANDONED };
// READY: the splash thread's window is composed (and shown). ABANDONED: the
// thread made no window, or start-up stopped waiting first.
extern std::atomic<int> SplashHandOver;
// Set by the splash thread before it claims the hand-over; the main thread
// reads it only after a READY one.
extern HWND SplashThreadWindow;

DWORD WINAPI SplashThread(void*);
