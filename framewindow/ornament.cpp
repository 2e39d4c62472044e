#include "framewindow/ornament.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <new>

#include "app/display_scale.h"
#include "app/ids.h"
#include "app/program.h"
#include "app/scale_rules.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/work_area_rules.h"
#include "desktop/presence.h"
#include "desktop/tray_icon.h"
#include "framewindow/photo_frame_sources.h"
#include "framewindow/picture_worker.h"

Ornament* ThisOrnament;

namespace {

// Ornaments live on the C heap: the library's own operator new would bring
// its exceptions into the exe. By owner number, and in their stored order.
Ornament* Table[ORNAMENTS_MAX];
Ornament* Ordered[ORNAMENTS_MAX];
int Count;
// How deep the window procedures are nested on the window's thread.
int Depth;

// The parts' view of the ordered list: every ornament's window.
void MirrorWindows() {
  OrnamentCount = Count;
  for (int i = 0; i < ORNAMENTS_MAX; ++i) OrnamentWindows[i] = i < Count ? Ordered[i]->window : nullptr;
}

}  // namespace

Ornament* NewOrnament() {
  const auto free = std::find(std::begin(Table), std::end(Table), nullptr);
  if (free == std::end(Table)) return nullptr;
  void* memory = std::malloc(sizeof(Ornament));
  if (!memory) return nullptr;
  Ornament* ornament = new (memory) Ornament;
  ornament->owner = static_cast<int>(free - std::begin(Table));
  ornament->dpi = BASE_DPI;
  ClearSlides(ornament->slideshow.slides);
  *free = ornament;
  Ordered[Count++] = ornament;
  MirrorWindows();
  return ornament;
}

namespace {

void FreeOrnament(Ornament* ornament) {
  Table[ornament->owner] = nullptr;
  Ornament** end = std::remove(Ordered, Ordered + Count, ornament);
  Count = static_cast<int>(end - Ordered);
  MirrorWindows();
  ornament->~Ornament();
  std::free(ornament);
}

ScreenRect WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void SelectOrnament(Ornament* ornament) {
  if (!ornament) return;
  ThisOrnament = ornament;
  SelectOrnamentStore(&ornament->store);
  Composed = &ornament->composition;
  Slideshow = &ornament->slideshow;
  PictureOwner = ornament->owner;
  FrameWindow = ornament->window;
  FrameDC = ornament->dc;
  FrameDpi = ornament->dpi;
}

Ornament* OrnamentOf(HWND window) {
  return window ? reinterpret_cast<Ornament*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

OrnamentSelection::OrnamentSelection(HWND window) : previous_(ThisOrnament) {
  ++Depth;
  SelectOrnament(OrnamentOf(window));
}

OrnamentSelection::~OrnamentSelection() {
  --Depth;
  SelectOrnament(Depth == 0 ? OrnamentOf(LastUsedWindow) : previous_);
}

Ornament* OrnamentAt(int index) { return index >= 0 && index < Count ? Ordered[index] : nullptr; }

int LoadOrnaments(int32_t firstLeft) {
  Ornament* first = NewOrnament();
  if (!first) return 0;
  first->store.values.X1 = firstLeft;
  LoadProgramSettings(first->store);
  for (int number = 2; number <= ORNAMENTS_MAX; ++number) {
    Ornament* further = NewOrnament();
    if (further && !LoadOrnamentSettings(number, further->store)) FreeOrnament(further);
  }
  SelectOrnament(first);
  return 1;
}

void SaveOrnaments() {
  OrnamentStore* stores[ORNAMENTS_MAX];
  for (int i = 0; i < Count; ++i) stores[i] = &Ordered[i]->store;
  SaveSettings(stores, Count);
}

// Beside the one it is made from, of its size, on its work area and over none of the others.
Ornament* AddOrnament(const Ornament& like) {
  Ornament* ornament = NewOrnament();
  if (!ornament) return nullptr;
  const SettingsTable& model = like.store.values;
  SettingsTable& values = ornament->store.values;
  values.W1 = model.W1;
  values.H1 = model.H1;
  values.AlwaysOnTheTop = model.AlwaysOnTheTop;
  values.FrameID = model.FrameID;
  lstrcpynA(values.Frame, model.Frame, PATH_BUFFER_SIZE);
  lstrcpynA(values.Path, model.Path, PATH_BUFFER_SIZE);
  ornament->store.startFrame =
      values.FrameID == FRAME_ID_CUSTOM ? reinterpret_cast<ImageSource>(values.Frame) : values.FrameID;

  const ScreenRect beside = WindowRect(like.window);
  ScreenRect others[ORNAMENTS_MAX];
  int count = 0;
  for (int i = 0; i < Count; ++i) {
    if (Ordered[i]->window) others[count++] = WindowRect(Ordered[i]->window);
  }
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(like.window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const ScreenRect place = PlaceBeside(beside, {0, 0, beside.right - beside.left, beside.bottom - beside.top}, others,
                                       count, {work.left, work.top, work.right, work.bottom});
  values.X1 = place.left;
  values.Y1 = place.top;
  SelectOrnament(ornament);
  return ornament;
}

RECT StoredRect(int dpi) {
  const SettingsTable& values = ThisOrnament->store.values;
  auto edge = [](int32_t start, int32_t side) {
    return static_cast<LONG>(std::min<int64_t>(int64_t{start} + side, INT32_MAX));
  };
  return {values.X1, values.Y1, edge(values.X1, ScaleToDpi(values.W1, dpi)),
          edge(values.Y1, ScaleToDpi(values.H1, dpi))};
}

// The stored sides are 96-DPI units: the window is made at the scale of the
// monitor it lands on, and resized should its own DPI, known once it exists, differ.
HWND CreateOrnamentWindow(Ornament& ornament) {
  SelectOrnament(&ornament);
  const SettingsTable& values = ornament.store.values;
  ornament.dpi = DpiOfRect(StoredRect(BASE_DPI));
  HWND window =
      CreateWindowExA(WS_EX_ACCEPTFILES, TEXT_FRAME_CLASS, TEXT_FRAME_TITLE, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                      values.X1, values.Y1, ScaleToDpi(values.W1, ornament.dpi), ScaleToDpi(values.H1, ornament.dpi),
                      nullptr, nullptr, ProgramInstance, &ornament);
  if (!window) {
    FreeOrnament(&ornament);
    SelectOrnament(OrnamentAt(0));
    return nullptr;
  }
  SelectOrnament(&ornament);
  const int dpi = DpiOfWindow(window);
  if (dpi != ornament.dpi) {
    ornament.dpi = FrameDpi = dpi;
    SetWindowPos(window, nullptr, 0, 0, ScaleToDpi(values.W1, dpi), ScaleToDpi(values.H1, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!LastUsedWindow) LastUsedWindow = window;
  return window;
}

void AttachOrnament(HWND window, const CREATESTRUCTA* creation) {
  Ornament* ornament = static_cast<Ornament*>(creation->lpCreateParams);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ornament));
  ornament->window = window;
  ornament->dc = GetDC(window);
  MirrorWindows();
  SelectOrnament(ornament);
}

int DetachOrnament(HWND window) {
  Ornament* ornament = OrnamentOf(window);
  if (!ornament) return 0;
  SetPictureOwnerWindow(ornament->owner, nullptr);
  ornament->window = nullptr;
  MirrorWindows();
  const bool last = std::none_of(Ordered, Ordered + Count, [](const Ornament* other) { return other->window; });
  if (LastUsedWindow == window) {
    const auto live = std::find_if(Ordered, Ordered + Count, [](const Ornament* other) { return other->window; });
    LastUsedWindow = live != Ordered + Count ? (*live)->window : nullptr;
  }
  return last;
}

void RemoveOrnament(Ornament* ornament) {
  FreeOrnament(ornament);
  SelectOrnament(OrnamentOf(LastUsedWindow));
}

void MarkOrnamentUsed(Ornament* ornament) {
  if (!ornament->window || LastUsedWindow == ornament->window) return;
  LastUsedWindow = ornament->window;
  if (ProgramSettings.TrayIcon != 0) UpdateTrayIcon(ornament->composition.icons.smallIcon);
}

// Shown at once with the default photo; a custom frame follows from the
// picture worker and recomposes as it comes.
void OpenNewOrnament() {
  Ornament* ornament = AddOrnament(*ThisOrnament);
  if (!ornament || !CreateOrnamentWindow(*ornament)) return;
  HWND window = ornament->window;
  ornament->lateStartPictures = true;
  SendMessageA(window, MSG_SET_FRAME, ornament->store.startFrame, PHOTO_AT_START);
  SendMessageA(window, MSG_SET_PHOTO, DEFAULT_PHOTO_ID, PHOTO_AT_START);
  SendMessageA(window, MSG_RECOMPOSE, 0, 0);
  SendMessageA(window, MSG_SET_TOPMOST, static_cast<WPARAM>(ornament->store.values.AlwaysOnTheTop), 1);
  ShowLikeTheOthers(window);
  MarkOrnamentUsed(ornament);
  SetForegroundWindow(window);
}

// The tray icon belongs to the window that added it: when that one goes,
// the one used last takes it.
void CloseOrnament(HWND window) {
  Ornament* ornament = OrnamentOf(window);
  if (!ornament || Count <= 1) return;
  const bool trayHere = TrayIconWindow() == window;
  if (trayHere) UpdateTrayIcon(TRAY_ICON_REMOVE);
  DestroyWindow(window);
  RemoveOrnament(ornament);
  if (trayHere && ProgramSettings.TrayIcon != 0) UpdateTrayIcon(Composed->icons.smallIcon);
}
