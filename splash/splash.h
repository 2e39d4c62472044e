// The splash picture at start, which then serves as the hint.
#pragma once
#include <windows.h>

// The splash and hint window once its thread has handed it over; null when
// there is none (no splash picture, or the thread was too late).
extern HWND SplashWindow;
// How long start-up waits for the splash window: 30 s; tests shorten it.
extern DWORD SplashReadyWaitMs;

// Decodes both pictures, starts the splash thread and waits until its window
// exists (and shows, with Splash 1), for SplashReadyWaitMs at most.
void StartSplash();
// Start-up is done: the splash goes and its window serves as the hint.
void EnterHintMode();
// 1 asks for the hint (shown only with Hint 1), 0 hides it. Main thread only.
void ShowHint(int visible);
