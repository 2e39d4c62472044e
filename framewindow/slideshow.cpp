#include "framewindow/slideshow.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "app/ids.h"
#include "app/path_calls.h"
#include "app/path_list_rules.h"
#include "app/settings.h"
#include "app/settings_rules.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "framewindow/file_dialogs.h"
#include "framewindow/photo_frame_sources.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slide_order.h"
#include "imaging/heap_array.h"
#include "imaging/picture_types.h"
#include "splash/notice_window.h"

unsigned SlideSecondMs = 1000;
SlideshowState* Slideshow;

int SlideshowOn() { return Settings->SlideFolder[0] != '\0' || SlideFiles->size > 0; }

int SlideshowCanStep() { return SlideshowOn() && !Slideshow->sourceLost; }

namespace {

constexpr int SLIDE_INTERVAL_COUNT = static_cast<int>(std::size(SLIDE_INTERVALS));


// A folder's pictures are listed by name, a set's by full path.
int SlidePath(int index, char* path) {
  const char* name = SlideAt(Slideshow->slides, index);
  if (!Settings->SlideFolder[0]) {
    lstrcpynA(path, name, PATH_BUFFER_SIZE);
    return 1;
  }
  const int folderLength = lstrlenA(Settings->SlideFolder);
  const bool separator = Settings->SlideFolder[folderLength - 1] != '\\';
  if (folderLength + (separator ? 1 : 0) + lstrlenA(name) >= PATH_BUFFER_SIZE) return 0;
  lstrcpyA(path, Settings->SlideFolder);
  if (separator) lstrcatA(path, "\\");
  lstrcatA(path, name);
  return 1;
}

// How many of the round's pictures sort before the photo, or it, by name:
// the name order goes on after it, also when it has gone from the folder.
int PlaceInNameOrder(const char* photo) {
  const char* name = photo;
  if (Settings->SlideFolder[0]) {
    const char* separator = std::strrchr(photo, '\\');
    name = separator ? separator + 1 : photo;
  }
  int place = 0;
  while (place < Slideshow->slides.count && CompareNaturalNames(SlideAt(Slideshow->slides, place), name) <= 0) ++place;
  return place;
}

// The round's index of the photo, or -1.
int IndexOfPhoto(const char* photo) {
  const int placed = PlaceInNameOrder(photo);
  char path[PATH_BUFFER_SIZE];
  return placed > 0 && SlidePath(placed - 1, path) && lstrcmpA(path, photo) == 0 ? placed - 1 : -1;
}

void DropAhead() {
  if (Slideshow->aheadNow == AheadState::PENDING) DropPictureWork(PICTURE_SLIDE);
  Slideshow->aheadNow = AheadState::NONE;
  Slideshow->aheadPosition = -1;
  Slideshow->aheadRequest = 0;
  Slideshow->ahead = PictureWork();
}

// The round in order, from a listing that has come or the stored set.
void OrderRound(const char* shown) {
  Slideshow->position = -1;
  Slideshow->walk.position = -1;
  if (Settings->SlideRandom == 1) {
    ShuffleRound(Slideshow->order, Slideshow->slides.count, shown ? IndexOfPhoto(shown) : -1, Slideshow->randomState);
  } else {
    for (int i = 0; i < Slideshow->slides.count; ++i) Slideshow->order[i] = i;
  }
}

void ContinueWalk();
void GoOnFromPhoto();
void TakePhotoSet(const char* packed, size_t size, bool fromShown);

// A new round from the source as it is now: files added to the folder join
// here. A set is at hand; a folder is listed by the worker, and `then` is
// done when its listing comes.
void BeginRound(AfterListing then) {
  DropAhead();
  ClearSlides(Slideshow->slides);
  Slideshow->position = -1;
  Slideshow->walk.position = -1;
  if (Settings->SlideFolder[0]) {
    Slideshow->pendingListing = then;
    AskPictureWork(PICTURE_LISTING, Settings->SlideFolder, 0, 0);
    return;
  }
  Slideshow->pendingListing = AfterListing::NOTHING;
  UnpackSlides(SlideFiles->bytes, SlideFiles->size, Slideshow->slides);
  SortSlides(Slideshow->slides);
  Slideshow->folderReached = true;
  if (then == AfterListing::WALK) {
    OrderRound(Settings->Photo);
    ContinueWalk();
  } else if (then == AfterListing::GO_ON) {
    GoOnFromPhoto();
  }
}

// The round goes on after the photo shown: by name from its place, at random
// with every other picture still to come.
void GoOnFromPhoto() {
  OrderRound(Settings->Photo);
  if (Settings->SlideRandom != 1) Slideshow->position = PlaceInNameOrder(Settings->Photo) - 1;
}

void SetSlideTimer() {
  if (SlideshowOn() && Settings->SlideInterval > 0) {
    SetTimer(FrameWindow, SLIDE_TIMER_ID, static_cast<UINT>(Settings->SlideInterval) * SlideSecondMs, nullptr);
  } else {
    KillTimer(FrameWindow, SLIDE_TIMER_ID);
  }
}

// A source that shows nothing any more is said once; it comes back when a
// round shows a picture again.
void NoteSource(bool showing, bool tell) {
  const bool lost = !showing;
  if (lost == Slideshow->sourceLost) return;
  Slideshow->sourceLost = lost;
  if (lost && tell && Settings->SlideFolder[0]) {
    NotifyRefusal(NoticeSubject::FOLDER, Settings->SlideFolder,
                  Slideshow->folderReached ? Refusal::NO_PICTURES : Refusal::UNREACHABLE);
  } else if (lost && tell) {
    NotifyRefusal(NoticeSubject::PHOTO, Slideshow->skippedPath, Slideshow->skippedRefusal, Slideshow->slides.count);
  }
}

void KeepSource(const char* folder, const char* packed, size_t size) {
  lstrcpyA(Settings->SlideFolder, folder);
  if (size) std::memcpy(SlideFiles->bytes, packed, size);
  SlideFiles->size = size;
}

// The next picture in the walk's direction is decoded while this one shows.
void PrepareAhead(int step) {
  DropAhead();
  const int next = step > 0 ? Slideshow->position + 1
                            : (Slideshow->position > 0 ? Slideshow->position - 1 : Slideshow->slides.count - 1);
  char path[PATH_BUFFER_SIZE];
  if (next < 0 || next >= Slideshow->slides.count || !SlidePath(Slideshow->order[next], path) ||
      lstrcmpA(path, Settings->Photo) == 0)
    return;
  Slideshow->aheadPosition = next;
  Slideshow->aheadRequest = AskPictureWork(PICTURE_SLIDE, path, 0, next);
  Slideshow->aheadNow = Slideshow->aheadRequest ? AheadState::PENDING : AheadState::NONE;
}

void EndWalk(bool shown) {
  const SlideWalk walk = Slideshow->walk;
  Slideshow->walk = {};
  if (Slideshow->onTrial) {
    Slideshow->onTrial = false;
    if (!shown) {
      // The new source shows nothing: the one before goes on as it was.
      const bool reached = Slideshow->folderReached;
      const bool folder = Settings->SlideFolder[0] != '\0';
      char tried[PATH_BUFFER_SIZE];
      lstrcpyA(tried, folder ? Settings->SlideFolder : Slideshow->skippedPath);
      KeepSource(Slideshow->previousFolder, Slideshow->previousFiles.data, Slideshow->previousSize);
      Slideshow->sourceLost = false;
      if (SlideshowOn()) BeginRound(AfterListing::GO_ON);
      SetSlideTimer();
      if (folder) {
        NotifyRefusal(NoticeSubject::FOLDER, tried, reached ? Refusal::NO_PICTURES : Refusal::UNREACHABLE);
      } else {
        NotifyRefusal(NoticeSubject::PHOTO, Slideshow->skippedPath, Slideshow->skippedRefusal,
                      Slideshow->slides.count > 1 ? Slideshow->slides.count : 2);
      }
      return;
    }
    SetSlideTimer();
  }
  NoteSource(shown, walk.tell);
  if (shown) PrepareAhead(walk.step);
}

// Tries the pictures one after the other from the round's position: files
// that are gone or do not decode are passed over quietly. A round found
// empty is listed again once.
void ContinueWalk() {
  while (Slideshow->walk.active) {
    if (Slideshow->walk.step > 0 && Slideshow->walk.position + 1 >= Slideshow->slides.count &&
        (Slideshow->slides.count > 0 || !Slideshow->walk.relisted)) {
      if (Slideshow->walk.tries > 0 && Slideshow->walk.tries >= Slideshow->slides.count) break;
      Slideshow->walk.relisted = true;
      BeginRound(AfterListing::WALK);
      return;
    }
    if (Slideshow->slides.count == 0 || Slideshow->walk.tries >= Slideshow->slides.count) break;
    int& place = Slideshow->walk.position;
    place = Slideshow->walk.step > 0 ? place + 1 : (place > 0 ? place - 1 : Slideshow->slides.count - 1);
    ++Slideshow->walk.tries;
    char path[PATH_BUFFER_SIZE];
    if (!SlidePath(Slideshow->order[place], path)) continue;
    if (lstrcmpA(path, Settings->Photo) == 0) {
      Slideshow->position = place;
      EndWalk(true);
      return;
    }
    const AheadState ahead = Slideshow->aheadPosition == place ? Slideshow->aheadNow : AheadState::NONE;
    if (ahead == AheadState::READY) {
      Slideshow->position = place;
      ShowSlidePicture(Slideshow->ahead);
      DropAhead();
      EndWalk(true);
      return;
    }
    if (ahead == AheadState::REFUSED) {
      lstrcpyA(Slideshow->skippedPath, Slideshow->ahead.path);
      Slideshow->skippedRefusal = Slideshow->ahead.refusal;
      DropAhead();
      continue;
    }
    // The picture ahead still on its way is the one: it is waited for, not
    // asked again. Any other request takes the ahead's place.
    Slideshow->walk.request =
        ahead == AheadState::PENDING ? Slideshow->aheadRequest : AskPictureWork(PICTURE_SLIDE, path, 0, place);
    Slideshow->aheadNow = AheadState::NONE;
    Slideshow->aheadRequest = 0;
    Slideshow->aheadPosition = -1;
    return;
  }
  EndWalk(false);
}

// A step of the slideshow; one under way gives way to it.
void StartWalk(int step, bool tell) {
  // Back from a photo that has gone from its place: the picture before its place by name.
  char path[PATH_BUFFER_SIZE];
  const bool gone = step < 0 && Slideshow->position >= 0 && Slideshow->position < Slideshow->slides.count &&
                    Settings->SlideRandom != 1 &&
                    (!SlidePath(Slideshow->order[Slideshow->position], path) || lstrcmpA(path, Settings->Photo) != 0);
  Slideshow->walk = {true, step, 0, false, tell, 0, gone ? Slideshow->position + 1 : Slideshow->position};
  if (Slideshow->pendingListing != AfterListing::NOTHING) {
    Slideshow->pendingListing = AfterListing::WALK;
    return;
  }
  ContinueWalk();
}

// A new folder or set (the other one empty) becomes the source when one of
// its pictures shows; otherwise the slideshow that ran, if any, goes on as
// it was. From a photo shown (a set joined around it) it goes on at once.
void TakeSource(const char* folder, const char* packed, size_t size, bool fromShown) {
  Slideshow->onTrial = !fromShown;
  Slideshow->previousSize = 0;
  if (Slideshow->onTrial && SlideFiles->size && Slideshow->previousFiles.Allocate(SlideFiles->size)) {
    std::memcpy(Slideshow->previousFiles.data, SlideFiles->bytes, SlideFiles->size);
    Slideshow->previousSize = SlideFiles->size;
  }
  lstrcpyA(Slideshow->previousFolder, Settings->SlideFolder);
  KeepSource(folder, packed, size);
  Slideshow->walk = {};
  Slideshow->sourceLost = false;
  if (fromShown) {
    BeginRound(AfterListing::GO_ON);
  } else {
    Slideshow->walk = {true, 1, 0, true, true, 0, -1};
    BeginRound(AfterListing::WALK);
  }
  SetSlideTimer();
}

}  // namespace

void ListSlidesWork(PictureWork& work) {
  if (!work.listing.Allocate(1)) {
    work.refusal = Refusal::TOO_LARGE;
    return;
  }
  SlideList& list = *work.listing.data;
  ClearSlides(list);
  char pattern[PATH_BUFFER_SIZE + 2];
  wchar_t widePattern[WIDE_PATH_SIZE + 2];
  lstrcpynA(pattern, work.path, PATH_BUFFER_SIZE);
  lstrcatA(pattern, pattern[lstrlenA(pattern) - 1] == '\\' ? "*" : "\\*");
  // Names come in UTF-16: a name whose UTF-8 outgrows the narrow record's
  // 260 bytes (or its short name's 14) would end a narrow listing there.
  WIN32_FIND_DATAW found;
  const HANDLE search = WidenPath(pattern, widePattern, std::size(widePattern))
                            ? FindFirstFileW(widePattern, &found)
                            : INVALID_HANDLE_VALUE;
  if (search == INVALID_HANDLE_VALUE) {
    work.refusal = Refusal::UNREACHABLE;
    return;
  }
  const char* extensions = PictureExtensions();
  char name[PATH_BUFFER_SIZE];
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && NarrowPath(found.cFileName, name, sizeof name) &&
        HasListedExtension(name, extensions)) {
      AddSlide(list, name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  SortSlides(list);
}

void SlideListingReady() {
  PictureWork work;
  if (!TakePictureWork(PICTURE_LISTING, work)) return;
  const AfterListing then = std::exchange(Slideshow->pendingListing, AfterListing::NOTHING);
  Slideshow->folderReached = work.refusal.reason == Refusal::NONE;
  if (Slideshow->folderReached) std::memcpy(&Slideshow->slides, work.listing.data, sizeof Slideshow->slides);
  if (then == AfterListing::GO_ON) {
    GoOnFromPhoto();
  } else if (then == AfterListing::WALK && Slideshow->walk.active) {
    OrderRound(Settings->Photo);
    ContinueWalk();
  }
}

void SlideReady() {
  PictureWork work;
  if (!TakePictureWork(PICTURE_SLIDE, work)) return;
  if (Slideshow->walk.active && work.number == Slideshow->walk.request) {
    if (work.refusal.reason == Refusal::NONE) {
      Slideshow->position = Slideshow->walk.position;
      ShowSlidePicture(work);
      EndWalk(true);
    } else {
      lstrcpyA(Slideshow->skippedPath, work.path);
      Slideshow->skippedRefusal = work.refusal;
      ContinueWalk();
    }
  } else if (Slideshow->aheadNow == AheadState::PENDING && work.number == Slideshow->aheadRequest) {
    Slideshow->aheadNow = work.refusal.reason == Refusal::NONE ? AheadState::READY : AheadState::REFUSED;
    Slideshow->ahead = std::move(work);
  }
}

void ResumeSlideshow() {
  Slideshow->randomState = GetTickCount() ^ (GetCurrentProcessId() << 16);
  if (Settings->SlideFolder[0] && !IsFullPath(Settings->SlideFolder)) Settings->SlideFolder[0] = '\0';
  if (Settings->SlideFolder[0] || !UnpackSlides(SlideFiles->bytes, SlideFiles->size, Slideshow->slides))
    SlideFiles->size = 0;
  if (SlideshowOn()) BeginRound(AfterListing::GO_ON);
  SetSlideTimer();
}

void MsgSlideTimer() {
  POINT cursor;
  RECT rect;
  const SlideConditions now = {
      IsWindowVisible(FrameWindow) != 0,
      IsIconic(FrameWindow) != 0,
      GetCursorPos(&cursor) && GetWindowRect(FrameWindow, &rect) && PtInRect(&rect, cursor),
      GetCapture() == FrameWindow,
      Slideshow->menuOpen,
      !IsWindowEnabled(FrameWindow),
  };
  if (SlideMayChange(now) && !Slideshow->walk.active) StartWalk(1, true);
}

void HoldSlideshow(UINT message) {
  if (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP) Slideshow->menuOpen = message == WM_ENTERMENULOOP;
  if (SlideshowOn() && Settings->SlideInterval > 0) SetSlideTimer();
}

void NoteShownPhoto(const char* path, LPARAM route, const RefusalRecord& refused) {
  const bool shown = refused.reason == Refusal::NONE;
  if (route == PHOTO_CHOSEN && shown && SlideshowOn()) StopSlideshow();
  if (route != PHOTO_FROM_START) return;
  Slideshow->startPhotoPending = false;
  Slideshow->lastStartPathDone = GetTickCount();
  if (shown) {
    if (SlideshowOn()) StopSlideshow();
    if (!std::exchange(Slideshow->joinedShown, true) && Slideshow->joinedCount > 1) HideNotice();
  } else if (!Slideshow->joinedShown) {
    NotifyRefusal(NoticeSubject::PHOTO, path, refused, Slideshow->joinedCount);
  }
  // The set joined so far goes on from the photo shown.
  if (Slideshow->joinedShown && Slideshow->joinedCount > 1)
    TakePhotoSet(Slideshow->joinedPaths.data, Slideshow->joinedSize, true);
}

void ChooseSlideFolder() {
  char folder[PATH_BUFFER_SIZE];
  char start[PATH_BUFFER_SIZE];
  lstrcpynA(start, Settings->SlideFolder[0] ? Settings->SlideFolder : Settings->Path, PATH_BUFFER_SIZE);
  if (!Settings->SlideFolder[0]) TrimToExistingFolder(start, PathExists);
  if (ChooseFolderCall(start, folder)) {
    TakeSource(folder, nullptr, 0, false);
  }
}

void StepSlideshow(int step) {
  if (!SlideshowOn()) return;
  StartWalk(step, true);
  SetSlideTimer();
}

void SetSlideInterval(int choice) {
  if (choice < 0 || choice >= SLIDE_INTERVAL_COUNT) return;
  Settings->SlideInterval = SLIDE_INTERVALS[choice];
  SetSlideTimer();
}

void ToggleSlideOrder() {
  ToggleSetting(Settings->SlideRandom);
  if (SlideshowOn()) BeginRound(AfterListing::GO_ON);
}

void StopSlideshow() {
  Settings->SlideFolder[0] = '\0';
  SlideFiles->size = 0;
  Slideshow->sourceLost = false;
  Slideshow->onTrial = false;
  Slideshow->walk = {};
  Slideshow->pendingListing = AfterListing::NOTHING;
  DropPictureWork(PICTURE_LISTING);
  DropPictureWork(PICTURE_SLIDE);
  DropAhead();
  ClearSlides(Slideshow->slides);
  SetSlideTimer();
}

namespace {

// Paths that are no full paths or name no picture are left out; one picture
// is shown alone. When none of the files can be shown, one notice names the
// last one tried and why. `fromShown`: a set joined around the photo shown,
// from which it goes on.
void TakePhotoSet(const char* packed, size_t size, bool fromShown) {
  HeapArray<char> pictures;
  if (!pictures.Allocate(SLIDE_FILES_VALUE_MAX)) return;
  size_t kept = 0;
  int count = 0, given = 0;
  const char* last = nullptr;
  const char* extensions = PictureExtensions();
  for (const char* path = packed; path < packed + size && *path && count < SLIDES_MAX; path += lstrlenA(path) + 1) {
    ++given;
    if (IsFullPath(path) && HasListedExtension(path, extensions) &&
        AppendPackedSlide(pictures.data, kept, SLIDE_FILES_VALUE_MAX, path)) {
      ++count;
      last = path;
    } else if (given == 1) {
      lstrcpynA(Slideshow->skippedPath, path, PATH_BUFFER_SIZE);
      Slideshow->skippedRefusal = IsFullPath(path) ? Refusal::NOT_A_PICTURE : Refusal::NOT_FOUND;
    }
  }
  if (count == 1) {
    const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(last), PHOTO_CHOSEN));
    if (refused != Refusal::NONE) NotifyRefusal(NoticeSubject::PHOTO, last, refused, given);
  } else if (count >= 2) {
    TakeSource("", pictures.data, kept, fromShown);
  } else if (given > 0) {
    NotifyRefusal(NoticeSubject::PHOTO, Slideshow->skippedPath, Slideshow->skippedRefusal, given);
  }
}

}  // namespace

void ShowPhotoSet(const char* packed, size_t size) { TakePhotoSet(packed, size, false); }

void ShowDroppedSet(HDROP drop) {
  HeapArray<char> packed;
  if (!packed.Allocate(SLIDE_FILES_VALUE_MAX)) return;
  size_t size = 0;
  char path[PATH_BUFFER_SIZE];
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count && i < SLIDES_MAX; ++i) {
    if (DroppedFilePath(drop, i, path)) AppendPackedSlide(packed.data, size, SLIDE_FILES_VALUE_MAX, path);
  }
  ShowPhotoSet(packed.data, size);
}

// Each photo shows as it comes; the set goes on from the last one shown. A
// path refused is told of only while no other of its set has shown, and a
// photo shown takes back what was told. The join is measured from the end
// of the last one's handling, so a slow photo does not split its set.
void ShowStartPhoto(const char* path) {
  const bool joins = Slideshow->joinedSize > 0 &&
                     (Slideshow->startPhotoPending || GetTickCount() - Slideshow->lastStartPathDone < SLIDE_JOIN_MS);
  if (!joins) {
    Slideshow->joinedSize = 0;
    Slideshow->joinedCount = 0;
    Slideshow->joinedShown = false;
  }
  if (Slideshow->joinedPaths.data || Slideshow->joinedPaths.Allocate(SLIDE_FILES_VALUE_MAX)) {
    if (AppendPackedSlide(Slideshow->joinedPaths.data, Slideshow->joinedSize, SLIDE_FILES_VALUE_MAX, path))
      ++Slideshow->joinedCount;
  }
  Slideshow->startPhotoPending = true;
  const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path), PHOTO_FROM_START));
  if (refused != Refusal::NONE) NoteShownPhoto(path, PHOTO_FROM_START, refused);
}
