#include "framewindow/photo_frame_sources.h"

#include "app/ids.h"
#include "app/settings.h"
#include "app/settings_rules.h"
#include "app/shared_windows.h"
#include "framewindow/photo_paths.h"
#include "framewindow/placement_rules.h"
#include "imaging/compositor.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"

namespace {

// At start-up the source is the stored path itself, which then stays.
void StorePath(char* setting, WPARAM source) {
  const char* path = reinterpret_cast<const char*>(source);
  if (path != setting) lstrcpynA(setting, path, PATH_BUFFER_SIZE);
}

// The key image by the AND rule, so key colours never blend; then the
// artwork with both keys black, averaged. The loader's pixels are changed.
// A picture with hardly any key colour (a photo) would make a posterised
// square with holes, and a frame that is all outside at some window size
// would make the window vanish: both are no frame.
Refusal MakeFrameSurfaces(Surface& keys, Surface& artwork) {
  int32_t width, height;
  uint32_t *keyPixels, *artPixels;
  if (!MakeDibSurface(FrameDC, keys, width, height, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !MakeDibSurface(FrameDC, artwork, width, height, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !ReduceByAnd(LoaderPixels, LoaderWidth, LoaderHeight, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE)) {
    return Refusal::TOO_LARGE;
  }
  if (!HasFrameKeys(keyPixels, static_cast<size_t>(FRAME_SURFACE_SIDE) * FRAME_SURFACE_SIDE) ||
      !ShowsAtEveryWindowSide(keyPixels, FRAME_SURFACE_SIDE)) {
    return Refusal::NOT_A_FRAME;
  }
  ReplaceKeyColors(LoaderPixels, LoaderWidth, LoaderHeight, 0);
  return AreaAverageWhole(LoaderPixels, LoaderWidth, LoaderHeight, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE)
             ? Refusal::NONE
             : Refusal::TOO_LARGE;
}

// A path longer than Windows takes, from whatever source, is refused: the
// system may reach it, but it could not be stored whole. Then the decode.
Refusal Decode(WPARAM source) {
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID && !IsStorablePath(reinterpret_cast<const char*>(source))) {
    return Refusal::PATH_TOO_LONG;
  }
  return DecodeImage(source, FrameDC) ? Refusal::NONE : LoaderRefusal.reason;
}

// Nothing changes unless the photo is shown.
Refusal TakePhoto(WPARAM source, LPARAM startup) {
  if (const Refusal refused = Decode(source); refused != Refusal::NONE) return refused;
  const int32_t width = LoaderWidth, height = LoaderHeight;
  Surface photo;
  TakeLoaderSurface(photo);
  if (!ReplacePhotoSurface(photo)) return Refusal::TOO_LARGE;
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID) {
    StorePath(Settings.Photo, source);
    ForgetStoredPhotoView();
    // A photo dropped or given by Explorer: the open dialog opens beside it next.
    if (startup != 1) CopyFolderPart(Settings.Path, PATH_BUFFER_SIZE, Settings.Photo);
  }
  Settings.W2 = width;
  Settings.H2 = height;
  // The default photo keeps the stored pan and zoom; a new one fills the frame.
  if (source != DEFAULT_PHOTO_ID && startup != 1) {
    const PhotoView view = FillingView(width, height);
    Settings.X2 = view.left;
    Settings.Y2 = view.top;
    Settings.H3 = view.highSide;
    Settings.W3 = view.wideSide;
  }
  return Refusal::NONE;
}

// Nothing changes unless the frame is shown.
Refusal TakeFrame(WPARAM source) {
  if (const Refusal refused = Decode(source); refused != Refusal::NONE) return refused;
  Surface keys, artwork;
  if (const Refusal refused = MakeFrameSurfaces(keys, artwork); refused != Refusal::NONE) return refused;
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID) {
    StorePath(Settings.Frame, source);
    Settings.FrameID = FRAME_ID_CUSTOM;
  } else {
    Settings.FrameID = static_cast<int32_t>(source);
  }
  ReplaceFrameSurfaces(keys, artwork);
  return Refusal::NONE;
}

}  // namespace

LRESULT MsgSetPhoto(WPARAM source, LPARAM startup) {
  if (startup != 1) {
    const Refusal refused = TakePhoto(source, startup);
    if (refused == Refusal::NONE) SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
    return static_cast<LRESULT>(refused);
  }
  // A stored photo that is missing (start-up then sends the default one) or
  // no longer decodes leaves the default photo to show as at a first start.
  if (source == DEFAULT_PHOTO_ID || TakePhoto(source, startup) != Refusal::NONE) {
    if (Settings.Photo[0]) SetAsideStoredPhotoView();
    TakePhoto(DEFAULT_PHOTO_ID, startup);
  }
  return 0;
}

LRESULT MsgSetFrame(WPARAM source, LPARAM startup) {
  const Refusal refused = TakeFrame(source);
  if (refused == Refusal::NONE) {
    if (startup != 1) SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  } else if (startup == 1 && source != FRAME_ID_DEFAULT) {
    // A stored frame that no longer decodes gives way to the default, as a missing one does.
    TakeFrame(FRAME_ID_DEFAULT);
  }
  return static_cast<LRESULT>(refused);
}
