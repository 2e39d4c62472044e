#include "imaging/compositor.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/display_scale.h"
#include "app/ids.h"
#include "app/scale_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "imaging/enlarge.h"
#include "imaging/frame_icon.h"
#include "imaging/key_colors.h"
#include "imaging/heap_array.h"
#include "imaging/outline_scan.h"
#include "imaging/photo_reductions.h"
#include "imaging/reduce.h"

FrameComposition* Composed;
SetWindowRgnFunction SetWindowRgnCall = SetWindowRgn;

namespace {

static_assert(sizeof(RegionBlock) == REGION_BUFFER_SIZE && REGION_MAX_RECTS == REGION_BUFFER_RECTS);

// The new surface is made beside the old one, so that a failure leaves the
// window's picture (and the icon still to be made from it) as it was.
int PrepareComposition(int width, int height) {
  if (Composed->surface.dc && Composed->width == width && Composed->height == height) return 1;
  Surface made;
  int32_t madeWidth = 0, madeHeight = 0;
  uint32_t* madePixels = nullptr;
  if (!MakeDibSurface(FrameDC, made, madeWidth, madeHeight, madePixels, width, height)) return 0;
  Composed->surface = std::move(made);
  Composed->width = madeWidth;
  Composed->height = madeHeight;
  Composed->pixels = madePixels;
  return 1;
}

// A window larger than the frame (a high DPI) gets the frame enlarged
// smoothly, keys and artwork in one, then reduced on a side that is smaller.
int EnlargeFrame(const uint32_t* keys, int keyWidth, int keyHeight, int width, int height) {
  const int largeWidth = std::max(width, keyWidth), largeHeight = std::max(height, keyHeight);
  HeapArray<uint32_t> large;
  if (!large.Allocate(static_cast<size_t>(largeWidth) * largeHeight) ||
      !EnlargeSmoothly(keys, keyWidth, keyHeight, large.data, largeWidth, largeHeight)) {
    return 0;
  }
  if (!ReduceByAnd(large.data, largeWidth, largeHeight, Composed->scaled.keys.data, width, height)) return 0;
  ReplaceKeyColors(large.data, largeWidth, largeHeight, 0);
  return AreaAverageWhole(large.data, largeWidth, largeHeight, Composed->scaled.artwork.data, width, height);
}

// Without a frame both stay black: every pixel is artwork, the window a black rectangle.
int PrepareScaledFrame(int width, int height) {
  if (Composed->scaled.revision == Composed->frameRevision && Composed->scaled.width == width &&
      Composed->scaled.height == height)
    return 1;
  // Until it is whole again it matches no size, so no icon is made from it.
  Composed->scaled.revision = 0;
  Composed->scaled.width = Composed->scaled.height = 0;
  const size_t count = static_cast<size_t>(width) * height;
  if (!Composed->scaled.keys.Allocate(count) || !Composed->scaled.artwork.Allocate(count) ||
      !Composed->scaled.photoSpans.Allocate(height))
    return 0;
  int keyWidth, keyHeight, artWidth, artHeight;
  const uint32_t* keys = DibPixels(Composed->frameKeys, &keyWidth, &keyHeight);
  const uint32_t* artwork = DibPixels(Composed->frameArt, &artWidth, &artHeight);
  if (keys && artwork && (width > keyWidth || height > keyHeight)) {
    if (!EnlargeFrame(keys, keyWidth, keyHeight, width, height)) return 0;
  } else {
    if (keys && !ReduceByAnd(keys, keyWidth, keyHeight, Composed->scaled.keys.data, width, height)) return 0;
    if (artwork && !AreaAverageWhole(artwork, artWidth, artHeight, Composed->scaled.artwork.data, width, height))
      return 0;
  }
  PhotoSpans(Composed->scaled.keys.data, width, height, Composed->scaled.photoSpans.data);
  Composed->scaled.width = width;
  Composed->scaled.height = height;
  Composed->scaled.revision = Composed->frameRevision;
  return 1;
}

// The square of the photo at (X2, Y2) with side W3, or H3 in a window taller
// than wide, averaged onto the composition where it shows; beyond the photo
// and the spans it shows in stays black.
int ComposePhoto(int width, int height) {
  int photoWidth = 0, photoHeight = 0;
  const uint32_t* photo = DibPixels(Composed->photo, &photoWidth, &photoHeight);
  // A photo still loading at start-up: a plain fill under the frame, never black.
  if (!photo) {
    std::fill(Composed->pixels, Composed->pixels + static_cast<size_t>(width) * height, 0x00FFFFFF);
    return 1;
  }
  const int64_t side = static_cast<uint32_t>(height) > static_cast<uint32_t>(width) ? Settings->H3 : Settings->W3;
  const SourceArea square = {Settings->X2, Settings->Y2, side, side};
  const bool reduced = Composed->photoLevels.source == photo && Composed->photoLevels.width == photoWidth &&
                       Composed->photoLevels.height == photoHeight;
  const PixelLevel whole = {photo, photoWidth, photoHeight, 0};
  const PixelLevel& level = reduced ? LevelForSquare(Composed->photoLevels, side, std::max(width, height)) : whole;
  return AreaAverageSpans(level, photoWidth, photoHeight, square, Composed->pixels, width, height,
                          Composed->scaled.photoSpans.data);
}

void ApplyRegion(const RegionBlock& region) {
  if (Composed->appliedRegionWindow == FrameWindow && SameRegion(Composed->appliedRegion, region)) return;
  // A region that cannot be made or set leaves the window's shape as it
  // was; the next recomposition tries again.
  HRGN shape = ExtCreateRegion(nullptr, sizeof(RegionBlock), reinterpret_cast<const RGNDATA*>(&region));
  if (!shape) return;
  if (!SetWindowRgnCall(FrameWindow, shape, TRUE)) {
    DeleteObject(shape);
    return;
  }
  Composed->appliedRegionWindow = FrameWindow;
  std::memcpy(&Composed->appliedRegion, &region, sizeof(RegionHeader) + region.header.count * sizeof(RegionRect));
}

// Under Wine, setting the window icon and the tray icon costs ten times a
// whole composition, and a drag recomposes on every mouse move. So the icon
// follows at most every ICON_REFRESH_MS: a recomposition long enough after
// the last icon sets it at once, one during a drag leaves it to a timer that
// sets the icon of the latest composition when the interval is over.
constexpr DWORD ICON_REFRESH_MS = 100;

}  // namespace

void ApplyPendingIcon() {
  if (std::exchange(Composed->iconTimer, false)) KillTimer(FrameWindow, ICON_TIMER_ID);
  if (!Composed->iconPending || !IsWindow(FrameWindow) || Composed->scaled.width != Composed->width ||
      Composed->scaled.height != Composed->height) {
    return;
  }
  Composed->iconPending = false;
  Composed->lastIconTick = GetTickCount();
  HICON icons[2];
  const int sizes[2] = {SM_CXSMICON, SM_CXICON};
  for (int i = 0; i < 2; ++i) {
    icons[i] = BuildFrameIcon(Composed->pixels, Composed->scaled.keys.data, Composed->scaled.artwork.data,
                              Composed->width, Composed->height, SystemMetricForDpi(sizes[i], FrameDpi));
  }
  SendMessageA(FrameWindow, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[0]));
  SendMessageA(FrameWindow, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[1]));
  ReplaceFrameIcons(Composed->icons, icons[0], icons[1]);
  // The tray shows the ornament used last.
  if (std::exchange(Composed->trayPending, false) && FrameWindow == LastUsedWindow) {
    SendMessageA(FrameWindow, MSG_SET_TRAY_ICON, static_cast<WPARAM>(ProgramSettings.TrayIcon),
                 reinterpret_cast<LPARAM>(Composed->icons.smallIcon));
  }
}

namespace {

void RefreshIcon(LPARAM skipTray) {
  Composed->iconPending = true;
  Composed->trayPending = Composed->trayPending || skipTray != 1;
  const DWORD elapsed = GetTickCount() - Composed->lastIconTick;
  if (elapsed >= ICON_REFRESH_MS) {
    ApplyPendingIcon();
  } else if (!Composed->iconTimer) {
    Composed->iconTimer = SetTimer(FrameWindow, ICON_TIMER_ID, ICON_REFRESH_MS - elapsed, nullptr) != 0;
    if (!Composed->iconTimer) ApplyPendingIcon();
  }
}

// A minimised window has no client area: it is composed at the size it
// keeps for its restore (its stored sides at its DPI), so that its icons (on
// the taskbar button, in the tray) show a photo handed to it meanwhile.
int CompositionSize(int& width, int& height) {
  RECT client;
  if (IsIconic(FrameWindow)) {
    client = {0, 0, ScaleToDpi(Settings->W1, FrameDpi), ScaleToDpi(Settings->H1, FrameDpi)};
  } else if (!GetClientRect(FrameWindow, &client)) {
    return 0;
  }
  width = client.right;
  height = client.bottom;
  return width > 0 && height > 0;
}

}  // namespace

void MsgRecompose(WPARAM keepRegion, LPARAM skipTray) {
  int width, height;
  if (!RegionBuffer || !CompositionSize(width, height)) return;
  // Surfaces that cannot be made leave the window as it was.
  if (!PrepareComposition(width, height) || !PrepareScaledFrame(width, height) || !ComposePhoto(width, height)) {
    return;
  }
  RegionBlock* region = reinterpret_cast<RegionBlock*>(RegionBuffer);
  ScanOutline(Composed->scaled.keys.data, width, height, region, Composed->pixels, Composed->scaled.artwork.data);
  if (keepRegion != 1) ApplyRegion(*region);
  GdiFlush();
  BitBlt(FrameDC, 0, 0, width, height, Composed->surface.dc, 0, 0, SRCCOPY);
  RefreshIcon(skipTray);
}

int IconRefreshPending() { return Composed->iconPending; }

void ReplaceFrameSurfaces(Surface& keys, Surface& artwork) {
  Composed->frameKeys = std::move(keys);
  Composed->frameArt = std::move(artwork);
  ++Composed->frameRevision;
}

void AdoptPhotoSurface(Surface& photo, PhotoReductions& levels) {
  Composed->photo = std::move(photo);
  Composed->photoLevels = std::move(levels);
}
