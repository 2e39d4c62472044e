#include "framewindow/photo_frame_sources.h"

#include <utility>

#include "app/ids.h"
#include "app/settings.h"
#include "app/settings_rules.h"
#include "app/shared_windows.h"
#include "framewindow/ornament.h"
#include "framewindow/photo_paths.h"
#include "framewindow/picture_worker.h"
#include "framewindow/placement_rules.h"
#include "framewindow/slideshow.h"
#include "imaging/compositor.h"
#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/reduce.h"
#include "splash/notice_window.h"

namespace {

// At start-up the source is the stored path itself, which then stays.
void StorePath(char* setting, const char* path) {
  if (path != setting) lstrcpynA(setting, path, PATH_BUFFER_SIZE);
}

// The key image by the AND rule, so key colours never blend; then the
// artwork with both keys black, averaged. The picture's pixels are changed.
// A picture with hardly any key colour (a photo) would make a posterised
// square with holes, and a frame that is all outside at some window size
// would make the window vanish: both are no frame.
Refusal MakeFrameSurfaces(DecodedPicture& frame, Surface& keys, Surface& artwork) {
  int32_t width, height;
  uint32_t *keyPixels, *artPixels;
  if (!MakeDibSurface(nullptr, keys, width, height, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !MakeDibSurface(nullptr, artwork, width, height, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE) ||
      !ReduceByAnd(frame.pixels, frame.width, frame.height, keyPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE)) {
    return Refusal::TOO_LARGE;
  }
  if (!HasFrameKeys(keyPixels, static_cast<size_t>(FRAME_SURFACE_SIDE) * FRAME_SURFACE_SIDE) ||
      !ShowsAtEveryWindowSide(keyPixels, FRAME_SURFACE_SIDE)) {
    return Refusal::NOT_A_FRAME;
  }
  ReplaceKeyColors(frame.pixels, frame.width, frame.height, 0);
  return AreaAverageWhole(frame.pixels, frame.width, frame.height, artPixels, FRAME_SURFACE_SIDE, FRAME_SURFACE_SIDE)
             ? Refusal::NONE
             : Refusal::TOO_LARGE;
}

ImageSource SourceOf(const PictureWork& work) {
  return work.resource ? work.resource : reinterpret_cast<ImageSource>(work.path);
}

// The photo in place: its size, its path and, for a new photo, the view
// that fills the frame. The default photo keeps the stored pan and zoom, and
// so does the stored photo at start-up.
void PlacePhoto(PictureWork& work) {
  const PhotoRoute route = static_cast<PhotoRoute>(work.tag);
  AdoptPhotoSurface(work.picture.surface, work.levels);
  if (!work.resource) {
    StorePath(Settings->Photo, work.path);
    ForgetStoredPhotoView();
    // A photo dropped or given by Explorer: the open dialog opens beside it next.
    if (route != PHOTO_AT_START) CopyFolderPart(Settings->Path, PATH_BUFFER_SIZE, Settings->Photo);
  }
  Settings->W2 = work.picture.width;
  Settings->H2 = work.picture.height;
  if (work.resource != DEFAULT_PHOTO_ID && route != PHOTO_AT_START) {
    const PhotoView view = FillingView(work.picture.width, work.picture.height);
    Settings->X2 = view.left;
    Settings->Y2 = view.top;
    Settings->H3 = view.highSide;
    Settings->W3 = view.wideSide;
  }
}

void PlaceFrame(PictureWork& work) {
  if (!work.resource) {
    StorePath(Settings->Frame, work.path);
    Settings->FrameID = FRAME_ID_CUSTOM;
  } else {
    Settings->FrameID = static_cast<int32_t>(work.resource);
  }
  ReplaceFrameSurfaces(work.keys, work.artwork);
}

// The exe's own pictures (the default photo, the built-in frames) are no
// files: they are decoded at once, on the window's thread.
Refusal LoadAtOnce(ImageSource source, LPARAM route, PictureWorkFunction load, PictureWork& work) {
  work.resource = source;
  work.tag = route;
  load(work);
  return work.refusal.reason;
}

// A stored photo that is missing (start-up then sends the default one) or no
// longer decodes leaves the default photo to show as at a first start.
void ShowDefaultPhotoForStart() {
  if (Settings->Photo[0]) SetAsideStoredPhotoView();
  PictureWork work;
  if (LoadAtOnce(DEFAULT_PHOTO_ID, PHOTO_AT_START, LoadPhotoWork, work) == Refusal::NONE) PlacePhoto(work);
}

// A stored frame that no longer decodes gives way to the default, as a missing one does.
void ShowDefaultFrameForStart() {
  PictureWork work;
  if (LoadAtOnce(FRAME_ID_DEFAULT, PHOTO_AT_START, LoadFrameWork, work) == Refusal::NONE) PlaceFrame(work);
}

// A path longer than Windows takes, from whatever source, is refused: the
// system may reach it, but it could not be stored whole.
bool PathTooLong(WPARAM source) {
  return source > IMAGE_SOURCE_MAX_RESOURCE_ID && !IsStorablePath(reinterpret_cast<const char*>(source));
}

// The start-up calls leave the composition to start-up's own, unless it went
// on without them.
void Recompose(LPARAM route) {
  if (route != PHOTO_AT_START || ThisOrnament->lateStartPictures) SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
}

int StartPicturesPending() {
  for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) {
    SelectOrnament(ornament);
    if (PictureWorkPending(PICTURE_PHOTO) || PictureWorkPending(PICTURE_FRAME)) return 1;
  }
  return 0;
}

// A file goes to the worker; a picture of the exe, or a path refused at once,
// is dealt with here. One stored at start-up that does not show gives way to
// the default.
LRESULT SetPicture(WPARAM source, LPARAM route, PictureKind kind, PictureWorkFunction load, void (*place)(PictureWork&),
                   void (*showDefaultForStart)()) {
  if (source > IMAGE_SOURCE_MAX_RESOURCE_ID && !PathTooLong(source)) {
    AskPictureWork(kind, reinterpret_cast<const char*>(source), 0, route);
    return static_cast<LRESULT>(Refusal::NONE);
  }
  PictureWork work;
  const Refusal refused = PathTooLong(source) ? Refusal::PATH_TOO_LONG : LoadAtOnce(source, route, load, work);
  if (refused == Refusal::NONE) {
    place(work);
    Recompose(route);
  } else if (route == PHOTO_AT_START) {
    showDefaultForStart();
  }
  return static_cast<LRESULT>(refused);
}

}  // namespace

void LoadPhotoWork(PictureWork& work) {
  DecodedPicture& picture = work.picture;
  if (DecodePicture(SourceOf(work), nullptr, picture, work.refusal) &&
      !BuildPhotoReductions(picture.pixels, picture.width, picture.height, work.levels)) {
    work.refusal = Refusal::TOO_LARGE;
  }
}

void LoadFrameWork(PictureWork& work) {
  if (DecodePicture(SourceOf(work), nullptr, work.picture, work.refusal)) {
    work.refusal = MakeFrameSurfaces(work.picture, work.keys, work.artwork);
  }
}

LRESULT MsgSetPhoto(WPARAM source, LPARAM route) {
  if (route == PHOTO_AT_START && source == DEFAULT_PHOTO_ID) {
    ShowDefaultPhotoForStart();
    return static_cast<LRESULT>(Refusal::NONE);
  }
  return SetPicture(source, route, PICTURE_PHOTO, LoadPhotoWork, PlacePhoto, ShowDefaultPhotoForStart);
}

LRESULT MsgSetFrame(WPARAM source, LPARAM route) {
  return SetPicture(source, route, PICTURE_FRAME, LoadFrameWork, PlaceFrame, ShowDefaultFrameForStart);
}

void PhotoReady() {
  PictureWork work;
  if (!TakePictureWork(PICTURE_PHOTO, work)) return;
  const auto route = static_cast<PhotoRoute>(work.tag);
  if (work.refusal.reason == Refusal::NONE) {
    PlacePhoto(work);
    Recompose(route);
  } else if (route == PHOTO_AT_START) {
    ShowDefaultPhotoForStart();
    Recompose(route);
  } else if (route == PHOTO_CHOSEN) {
    NotifyRefusal(NoticeSubject::PHOTO, work.path, work.refusal);
  }
  NoteShownPhoto(work.path, route, work.refusal);
}

void FrameReady() {
  PictureWork work;
  if (!TakePictureWork(PICTURE_FRAME, work)) return;
  if (work.refusal.reason == Refusal::NONE) {
    PlaceFrame(work);
  } else if (work.tag == PHOTO_AT_START) {
    ShowDefaultFrameForStart();
  } else {
    NotifyRefusal(NoticeSubject::FRAME, work.path, work.refusal);
    return;
  }
  Recompose(work.tag);
}

void ShowSlidePicture(PictureWork& work) {
  work.tag = PHOTO_SLIDE;
  PlacePhoto(work);
  SendMessageA(FrameWindow, MSG_RECOMPOSE, 0, 0);
}

int AwaitStartPictures(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (StartPicturesPending()) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) {
      for (int i = 0; Ornament* ornament = OrnamentAt(i); ++i) ornament->lateStartPictures = true;
      return 0;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 1;
}
