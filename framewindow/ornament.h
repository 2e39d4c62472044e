// One ornament: a frame window with its own place and size, photo and view,
// frame and slideshow. The program shows up to ORNAMENTS_MAX of them; what
// is program-wide (tray icon, taskbar, autostart, splash, hint, show state)
// stays outside.
#pragma once
#include <windows.h>

#include "app/settings.h"
#include "framewindow/photo_placement.h"
#include "framewindow/slideshow.h"
#include "imaging/compositor.h"

struct Ornament {
  int owner = 0;  // its place in the program's table: the picture worker's owner number
  HWND window = nullptr;
  HDC dc = nullptr;
  int dpi = 0;
  OrnamentStore store;
  FrameComposition composition;
  PhotoDrag drag;
  SlideshowState slideshow;
  // Start-up went on without its stored photo or frame (a network drive):
  // they are recomposed as they come, like any other.
  bool lateStartPictures = false;
};

// The ornament whose message the window's thread is handling; between
// messages, the one used last. Every part works on the selected one's state.
extern Ornament* ThisOrnament;
void SelectOrnament(Ornament* ornament);

// A frame window's ornament (null before its window has one).
Ornament* OrnamentOf(HWND window);

// Held by the frame window procedure: its ornament is selected while the
// message is handled, and the one before after it; after a message from the
// loop, the one used last.
class OrnamentSelection {
 public:
  explicit OrnamentSelection(HWND window);
  ~OrnamentSelection();
  OrnamentSelection(const OrnamentSelection&) = delete;
  OrnamentSelection& operator=(const OrnamentSelection&) = delete;

 private:
  Ornament* previous_;
};

// The ornaments in their stored order; OrnamentCount counts them.
Ornament* OrnamentAt(int index);

// A new ornament with the built-in values, last in the order, without its
// window; null at ORNAMENTS_MAX or without memory.
Ornament* NewOrnament();
// At start-up: the stored ornaments without their windows, the first always.
// `firstLeft` is a first run's left edge. 0 without memory for the first.
int LoadOrnaments(int32_t firstLeft);
// Writes every ornament's values: the first's in the program's key, each
// further one's in its subkey, and removes the subkeys of those gone.
void SaveOrnaments();

// A new ornament, selected, its values and frame those of `like`; null at
// ORNAMENTS_MAX or without memory.
Ornament* AddOrnament(const Ornament& like);
// The selected ornament's stored rectangle in pixels at a DPI, its edges kept within the coordinates.
RECT StoredRect(int dpi);
// Its frame window at its stored place and size, at its monitor's scale. Null
// when it cannot be made (the ornament is then removed).
HWND CreateOrnamentWindow(Ornament& ornament);
// An ornament whose window has gone leaves the table.
void RemoveOrnament(Ornament* ornament);

// "New Ornament": one beside the selected one, with the default photo and its
// frame, becomes the one used last. "Close Ornament": the window's ornament
// goes with its stored values, unless it is the only one.
void OpenNewOrnament();
void CloseOrnament(HWND window);

// WM_CREATE: the window takes its ornament from the creation parameters.
void AttachOrnament(HWND window, const CREATESTRUCTA* creation);
// WM_DESTROY: the window leaves the program's list. 1 when it was the last.
int DetachOrnament(HWND window);
// The ornament was clicked, dragged or its menu opened: the tray icon shows it
// and photos from other starts go to it.
void MarkOrnamentUsed(Ornament* ornament);
