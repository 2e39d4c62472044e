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
// A frame that is all outside at some window size would make the window
// vanish: it is refused like a file that does not decode.
int MakeFrameSurfaces(Surface& keys, Surface& artwork) {
  int32_t width, height;
  uint32_t *keyPixels, *artPixels;
  if (!MakeDibSurface(FrameDC, keys, width, height, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !MakeDibSurface(FrameDC, artwork, width, height, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !ReduceByAnd(LoaderPixels, LoaderWidth, LoaderHeight, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !ShowsAtEveryWindowSide(keyPixels, FRAME_SURFACE_SIDE)) {
    return 0;
  }
  ReplaceKeyColors(LoaderPixels, LoaderWidth, LoaderHeight, 0);
  return AreaAverageWhole(LoaderPixels, LoaderWidth, LoaderHeight, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE);
}

// A path longer than Windows takes, from whatever source, is refused like a
// missing file: the system may reach it, but it could not be stored whole.
int IsFileTooLong(WPARAM source) {
  return source > IMAGE_SOURCE_MAX_RESOURCE_ID && !IsStorablePath(reinterpret_cast<const char*>(source));
}

// 0, with nothing changed, when the photo does not decode.
int TakePhoto(WPARAM source, LPARAM startup) {
  if (IsFileTooLong(source) || !DecodeImage(source, FrameDC)) return 0;
  const int32_t width = LoaderWidth, height = LoaderHeight;
  Surface photo;
  TakeLoaderSurface(photo);
  if (!ReplacePhotoSurface(photo)) return 0;
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
  return 1;
}

// 0, with nothing changed, when the frame does not decode or shows nothing.
int TakeFrame(WPARAM source) {
  if (IsFileTooLong(source) || !DecodeImage(source, FrameDC)) return 0;
  Surface keys, artwork;
  if (!MakeFrameSurfaces(keys, artwork)) return 0;
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID) {
    StorePath(Settings.Frame, source);
    Settings.FrameID = FRAME_ID_CUSTOM;
  } else {
    Settings.FrameID = static_cast<int32_t>(source);
  }
  ReplaceFrameSurfaces(keys, artwork);
  return 1;
}

}  // namespace

void MsgSetPhoto(WPARAM source, LPARAM startup) {
  if (startup != 1) {
    if (TakePhoto(source, startup)) SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
    return;
  }
  // A stored photo that is missing (start-up then sends the default one) or
  // no longer decodes leaves the default photo to show as at a first start.
  if (source == DEFAULT_PHOTO_ID || !TakePhoto(source, startup)) {
    if (Settings.Photo[0]) SetAsideStoredPhotoView();
    TakePhoto(DEFAULT_PHOTO_ID, startup);
  }
}

void MsgSetFrame(WPARAM source, LPARAM startup) {
  if (TakeFrame(source)) {
    if (startup != 1) SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
  } else if (startup == 1 && source != FRAME_ID_DEFAULT) {
    // A stored frame that no longer decodes gives way to the default, as a missing one does.
    TakeFrame(FRAME_ID_DEFAULT);
  }
}
