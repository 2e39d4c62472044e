#include "framewindow/slideshow.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "app/ids.h"
#include "app/path_calls.h"
#include "app/path_list_rules.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "framewindow/context_menu.h"
#include "framewindow/file_dialogs.h"
#include "framewindow/photo_frame_sources.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slide_order.h"
#include "imaging/heap_array.h"
#include "imaging/picture_types.h"
#include "splash/notice_window.h"

unsigned SlideSecondMs = 1000;

namespace {

constexpr int SLIDE_INTERVAL_COUNT = static_cast<int>(std::size(SLIDE_INTERVALS));

HMENU SlideshowMenu;
// The round: the source's pictures in name order, the order they show in
// (a shuffle in random order) and the place of the photo shown in it.
SlideList Slides;
int Order[SLIDES_MAX];
int Position = -1;
uint32_t RandomState;
bool MenuOpen;
// The source as last listed: its folder reached, and whether a round found
// nothing to show (said once, Next and Previous greyed until it is back).
bool FolderReached = true;
bool SourceLost;
// The last picture passed over and why, for a set none of which shows.
char SkippedPath[PATH_BUFFER_SIZE];
RefusalRecord SkippedRefusal;

// A folder is listed by the picture worker; what the round does once it is.
enum class AfterListing { NOTHING, WALK, GO_ON };
AfterListing PendingListing = AfterListing::NOTHING;

// A step looks for the next picture that shows, one file at a time through
// the picture worker; the window's thread never waits for it.
struct SlideWalk {
  bool active;
  int step;           // 1 forward, -1 back
  int tries;          // pictures tried so far
  bool relisted;      // a round found empty is listed again once a walk
  bool tell;          // a source that shows nothing is told of (once)
  uint32_t request;   // the picture asked for
  int position;       // the place tried; the round's Position moves there once it shows
};
SlideWalk Walk;

// A new source on trial stays only when one of its pictures shows; until
// then the one before is kept to go back to.
bool OnTrial;
char PreviousFolder[PATH_BUFFER_SIZE];
HeapArray<char> PreviousFiles;
size_t PreviousSize;

// The next picture in the walk's direction, decoded ahead so that the next
// change shows at once: at most this one picture more is held (or why it
// cannot be shown, so the walk passes over it at once).
enum class AheadState { NONE, PENDING, READY, REFUSED };
AheadState AheadNow;
PictureWork Ahead;
int AheadPosition = -1;
uint32_t AheadRequest;

// Single paths from starts, packed; whether one of them showed, and when the
// last one was done with (or that one is still under way).
HeapArray<char> JoinedPaths;
size_t JoinedSize;
int JoinedCount;
bool JoinedShown;
bool StartPhotoPending;
DWORD LastStartPathDone;

bool SlideshowOn() { return Settings.SlideFolder[0] != '\0' || SlideFiles.size > 0; }

// A folder's pictures are listed by name, a set's by full path.
int SlidePath(int index, char* path) {
  const char* name = SlideAt(Slides, index);
  if (!Settings.SlideFolder[0]) {
    lstrcpynA(path, name, PATH_BUFFER_SIZE);
    return 1;
  }
  const int folderLength = lstrlenA(Settings.SlideFolder);
  const bool separator = Settings.SlideFolder[folderLength - 1] != '\\';
  if (folderLength + (separator ? 1 : 0) + lstrlenA(name) >= PATH_BUFFER_SIZE) return 0;
  lstrcpyA(path, Settings.SlideFolder);
  if (separator) lstrcatA(path, "\\");
  lstrcatA(path, name);
  return 1;
}

// How many of the round's pictures sort before the photo, or it, by name:
// the name order goes on after it, also when it has gone from the folder.
int PlaceInNameOrder(const char* photo) {
  const char* name = photo;
  if (Settings.SlideFolder[0]) {
    const char* separator = std::strrchr(photo, '\\');
    name = separator ? separator + 1 : photo;
  }
  int place = 0;
  while (place < Slides.count && CompareNaturalNames(SlideAt(Slides, place), name) <= 0) ++place;
  return place;
}

// The round's index of the photo, or -1.
int IndexOfPhoto(const char* photo) {
  const int placed = PlaceInNameOrder(photo);
  char path[PATH_BUFFER_SIZE];
  return placed > 0 && SlidePath(placed - 1, path) && lstrcmpA(path, photo) == 0 ? placed - 1 : -1;
}

void DropAhead() {
  if (AheadNow == AheadState::PENDING) DropPictureWork(PICTURE_SLIDE);
  AheadNow = AheadState::NONE;
  AheadPosition = -1;
  AheadRequest = 0;
  Ahead = PictureWork();
}

// The round in order, from a listing that has come or the stored set.
void OrderRound(const char* shown) {
  Position = -1;
  Walk.position = -1;
  if (Settings.SlideRandom == 1) {
    ShuffleRound(Order, Slides.count, shown ? IndexOfPhoto(shown) : -1, RandomState);
  } else {
    for (int i = 0; i < Slides.count; ++i) Order[i] = i;
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
  ClearSlides(Slides);
  Position = -1;
  Walk.position = -1;
  if (Settings.SlideFolder[0]) {
    PendingListing = then;
    AskPictureWork(PICTURE_LISTING, Settings.SlideFolder, 0, 0);
    return;
  }
  PendingListing = AfterListing::NOTHING;
  UnpackSlides(SlideFiles.bytes, SlideFiles.size, Slides);
  SortSlides(Slides);
  FolderReached = true;
  if (then == AfterListing::WALK) {
    OrderRound(Settings.Photo);
    ContinueWalk();
  } else if (then == AfterListing::GO_ON) {
    GoOnFromPhoto();
  }
}

// The round goes on after the photo shown: by name from its place, at random
// with every other picture still to come.
void GoOnFromPhoto() {
  OrderRound(Settings.Photo);
  if (Settings.SlideRandom != 1) Position = PlaceInNameOrder(Settings.Photo) - 1;
}

void SetSlideTimer() {
  if (SlideshowOn() && Settings.SlideInterval > 0) {
    SetTimer(FrameWindow, SLIDE_TIMER_ID, static_cast<UINT>(Settings.SlideInterval) * SlideSecondMs, nullptr);
  } else {
    KillTimer(FrameWindow, SLIDE_TIMER_ID);
  }
}

// A source that shows nothing any more is said once; it comes back when a
// round shows a picture again.
void NoteSource(bool showing, bool tell) {
  const bool lost = !showing;
  if (lost == SourceLost) return;
  SourceLost = lost;
  RefreshSlideMenu();
  if (lost && tell && Settings.SlideFolder[0]) {
    NotifyRefusal(NoticeSubject::FOLDER, Settings.SlideFolder, FolderReached ? Refusal::NO_PICTURES : Refusal::UNREACHABLE);
  } else if (lost && tell) {
    NotifyRefusal(NoticeSubject::PHOTO, SkippedPath, SkippedRefusal, Slides.count);
  }
}

void KeepSource(const char* folder, const char* packed, size_t size) {
  lstrcpyA(Settings.SlideFolder, folder);
  if (size) std::memcpy(SlideFiles.bytes, packed, size);
  SlideFiles.size = size;
}

// The next picture in the walk's direction is decoded while this one shows.
void PrepareAhead(int step) {
  DropAhead();
  const int next = step > 0 ? Position + 1 : (Position > 0 ? Position - 1 : Slides.count - 1);
  char path[PATH_BUFFER_SIZE];
  if (next < 0 || next >= Slides.count || !SlidePath(Order[next], path) || lstrcmpA(path, Settings.Photo) == 0) return;
  AheadPosition = next;
  AheadRequest = AskPictureWork(PICTURE_SLIDE, path, 0, next);
  AheadNow = AheadRequest ? AheadState::PENDING : AheadState::NONE;
}

void EndWalk(bool shown) {
  const SlideWalk walk = Walk;
  Walk = {};
  if (OnTrial) {
    OnTrial = false;
    if (!shown) {
      // The new source shows nothing: the one before goes on as it was.
      const bool reached = FolderReached;
      const bool folder = Settings.SlideFolder[0] != '\0';
      char tried[PATH_BUFFER_SIZE];
      lstrcpyA(tried, folder ? Settings.SlideFolder : SkippedPath);
      KeepSource(PreviousFolder, PreviousFiles.data, PreviousSize);
      SourceLost = false;
      if (SlideshowOn()) BeginRound(AfterListing::GO_ON);
      SetSlideTimer();
      RefreshMenuChecks();
      if (folder) {
        NotifyRefusal(NoticeSubject::FOLDER, tried, reached ? Refusal::NO_PICTURES : Refusal::UNREACHABLE);
      } else {
        NotifyRefusal(NoticeSubject::PHOTO, SkippedPath, SkippedRefusal, Slides.count > 1 ? Slides.count : 2);
      }
      return;
    }
    SetSlideTimer();
    RefreshMenuChecks();
  }
  NoteSource(shown, walk.tell);
  if (shown) PrepareAhead(walk.step);
}

// Tries the pictures one after the other from the round's position: files
// that are gone or do not decode are passed over quietly. A round found
// empty is listed again once.
void ContinueWalk() {
  while (Walk.active) {
    if (Walk.step > 0 && Walk.position + 1 >= Slides.count && (Slides.count > 0 || !Walk.relisted)) {
      if (Walk.tries > 0 && Walk.tries >= Slides.count) break;
      Walk.relisted = true;
      BeginRound(AfterListing::WALK);
      return;
    }
    if (Slides.count == 0 || Walk.tries >= Slides.count) break;
    int& place = Walk.position;
    place = Walk.step > 0 ? place + 1 : (place > 0 ? place - 1 : Slides.count - 1);
    ++Walk.tries;
    char path[PATH_BUFFER_SIZE];
    if (!SlidePath(Order[place], path)) continue;
    if (lstrcmpA(path, Settings.Photo) == 0) {
      Position = place;
      EndWalk(true);
      return;
    }
    const AheadState ahead = AheadPosition == place ? AheadNow : AheadState::NONE;
    if (ahead == AheadState::READY) {
      Position = place;
      ShowSlidePicture(Ahead);
      DropAhead();
      EndWalk(true);
      return;
    }
    if (ahead == AheadState::REFUSED) {
      lstrcpyA(SkippedPath, Ahead.path);
      SkippedRefusal = Ahead.refusal;
      DropAhead();
      continue;
    }
    // The picture ahead still on its way is the one: it is waited for, not
    // asked again. Any other request takes the ahead's place.
    Walk.request = ahead == AheadState::PENDING ? AheadRequest : AskPictureWork(PICTURE_SLIDE, path, 0, place);
    AheadNow = AheadState::NONE;
    AheadRequest = 0;
    AheadPosition = -1;
    return;
  }
  EndWalk(false);
}

// A step of the slideshow; one under way gives way to it.
void StartWalk(int step, bool tell) {
  // Back from a photo that has gone from its place: the picture before its place by name.
  char path[PATH_BUFFER_SIZE];
  const bool gone = step < 0 && Position >= 0 && Position < Slides.count && Settings.SlideRandom != 1 &&
                    (!SlidePath(Order[Position], path) || lstrcmpA(path, Settings.Photo) != 0);
  Walk = {true, step, 0, false, tell, 0, gone ? Position + 1 : Position};
  if (PendingListing != AfterListing::NOTHING) {
    PendingListing = AfterListing::WALK;
    return;
  }
  ContinueWalk();
}

// A new folder or set (the other one empty) becomes the source when one of
// its pictures shows; otherwise the slideshow that ran, if any, goes on as
// it was. From a photo shown (a set joined around it) it goes on at once.
void TakeSource(const char* folder, const char* packed, size_t size, bool fromShown) {
  OnTrial = !fromShown;
  PreviousSize = 0;
  if (OnTrial && SlideFiles.size && PreviousFiles.Allocate(SlideFiles.size)) {
    std::memcpy(PreviousFiles.data, SlideFiles.bytes, SlideFiles.size);
    PreviousSize = SlideFiles.size;
  }
  lstrcpyA(PreviousFolder, Settings.SlideFolder);
  KeepSource(folder, packed, size);
  Walk = {};
  SourceLost = false;
  if (fromShown) {
    BeginRound(AfterListing::GO_ON);
  } else {
    Walk = {true, 1, 0, true, true, 0, -1};
    BeginRound(AfterListing::WALK);
  }
  SetSlideTimer();
  RefreshMenuChecks();
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
  const AfterListing then = std::exchange(PendingListing, AfterListing::NOTHING);
  FolderReached = work.refusal.reason == Refusal::NONE;
  if (FolderReached) std::memcpy(&Slides, work.listing.data, sizeof Slides);
  if (then == AfterListing::GO_ON) {
    GoOnFromPhoto();
  } else if (then == AfterListing::WALK && Walk.active) {
    OrderRound(Settings.Photo);
    ContinueWalk();
  }
}

void SlideReady() {
  PictureWork work;
  if (!TakePictureWork(PICTURE_SLIDE, work)) return;
  if (Walk.active && work.number == Walk.request) {
    if (work.refusal.reason == Refusal::NONE) {
      Position = Walk.position;
      ShowSlidePicture(work);
      EndWalk(true);
    } else {
      lstrcpyA(SkippedPath, work.path);
      SkippedRefusal = work.refusal;
      ContinueWalk();
    }
  } else if (AheadNow == AheadState::PENDING && work.number == AheadRequest) {
    AheadNow = work.refusal.reason == Refusal::NONE ? AheadState::READY : AheadState::REFUSED;
    Ahead = std::move(work);
  }
}

HMENU BuildSlideshowMenu() {

  SlideshowMenu = CreateMenu();
  AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_FOLDER, TEXT_MENU_SLIDES_FOLDER);
  AppendMenuA(SlideshowMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_NEXT, TEXT_MENU_SLIDES_NEXT);
  AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_PREVIOUS, TEXT_MENU_SLIDES_PREVIOUS);
  AppendMenuA(SlideshowMenu, MF_SEPARATOR, 0, nullptr);
  for (int i = 0; i < SLIDE_INTERVAL_COUNT; ++i) {
    AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_INTERVAL_FIRST + i, TEXT_MENU_SLIDES_INTERVALS[i]);
  }
  AppendMenuA(SlideshowMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_RANDOM, TEXT_MENU_SLIDES_RANDOM);
  AppendMenuA(SlideshowMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(SlideshowMenu, MF_STRING, IDM_SLIDES_STOP, TEXT_MENU_SLIDES_STOP);
  return SlideshowMenu;
}

void RefreshSlideMenu() {
  const UINT stepping = MF_BYCOMMAND | (SlideshowOn() && !SourceLost ? MF_ENABLED : MF_GRAYED);
  for (const unsigned command : {IDM_SLIDES_NEXT, IDM_SLIDES_PREVIOUS}) EnableMenuItem(SlideshowMenu, command, stepping);
  EnableMenuItem(SlideshowMenu, IDM_SLIDES_STOP, MF_BYCOMMAND | (SlideshowOn() ? MF_ENABLED : MF_GRAYED));
  int choice = 0;
  while (choice < SLIDE_INTERVAL_COUNT - 1 && SLIDE_INTERVALS[choice] != Settings.SlideInterval) ++choice;
  CheckMenuRadioItem(SlideshowMenu, IDM_SLIDES_INTERVAL_FIRST, IDM_SLIDES_INTERVAL_FIRST + SLIDE_INTERVAL_COUNT - 1,
                     IDM_SLIDES_INTERVAL_FIRST + choice, MF_BYCOMMAND);
}

void ResumeSlideshow() {
  RandomState = GetTickCount() ^ (GetCurrentProcessId() << 16);
  if (Settings.SlideFolder[0] && !IsFullPath(Settings.SlideFolder)) Settings.SlideFolder[0] = '\0';
  if (Settings.SlideFolder[0] || !UnpackSlides(SlideFiles.bytes, SlideFiles.size, Slides)) SlideFiles.size = 0;
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
      MenuOpen,
      !IsWindowEnabled(FrameWindow),
  };
  if (SlideMayChange(now) && !Walk.active) StartWalk(1, true);
}

void HoldSlideshow(UINT message) {
  if (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP) MenuOpen = message == WM_ENTERMENULOOP;
  if (SlideshowOn() && Settings.SlideInterval > 0) SetSlideTimer();
}

void NoteShownPhoto(const char* path, LPARAM route, const RefusalRecord& refused) {
  const bool shown = refused.reason == Refusal::NONE;
  if (route == PHOTO_CHOSEN && shown && SlideshowOn()) StopSlideshow();
  if (route != PHOTO_FROM_START) return;
  StartPhotoPending = false;
  LastStartPathDone = GetTickCount();
  if (shown) {
    if (SlideshowOn()) StopSlideshow();
    if (!std::exchange(JoinedShown, true) && JoinedCount > 1) HideNotice();
  } else if (!JoinedShown) {
    NotifyRefusal(NoticeSubject::PHOTO, path, refused, JoinedCount);
  }
  // The set joined so far goes on from the photo shown.
  if (JoinedShown && JoinedCount > 1) TakePhotoSet(JoinedPaths.data, JoinedSize, true);
}

void ChooseSlideFolder() {
  char folder[PATH_BUFFER_SIZE];
  if (ChooseFolderCall(Settings.SlideFolder[0] ? Settings.SlideFolder : Settings.Path, folder)) {
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
  Settings.SlideInterval = SLIDE_INTERVALS[choice];
  SetSlideTimer();
  RefreshMenuChecks();
}

void ToggleSlideOrder() {
  ToggleSetting(Settings.SlideRandom);
  if (SlideshowOn()) BeginRound(AfterListing::GO_ON);
  RefreshMenuChecks();
}

void StopSlideshow() {
  Settings.SlideFolder[0] = '\0';
  SlideFiles.size = 0;
  SourceLost = false;
  OnTrial = false;
  Walk = {};
  PendingListing = AfterListing::NOTHING;
  DropPictureWork(PICTURE_LISTING);
  DropPictureWork(PICTURE_SLIDE);
  DropAhead();
  ClearSlides(Slides);
  SetSlideTimer();
  RefreshMenuChecks();
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
      lstrcpynA(SkippedPath, path, PATH_BUFFER_SIZE);
      SkippedRefusal = IsFullPath(path) ? Refusal::NOT_A_PICTURE : Refusal::NOT_FOUND;
    }
  }
  if (count == 1) {
    const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(last), PHOTO_CHOSEN));
    if (refused != Refusal::NONE) NotifyRefusal(NoticeSubject::PHOTO, last, refused, given);
  } else if (count >= 2) {
    TakeSource("", pictures.data, kept, fromShown);
  } else if (given > 0) {
    NotifyRefusal(NoticeSubject::PHOTO, SkippedPath, SkippedRefusal, given);
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
  const bool joins = JoinedSize > 0 && (StartPhotoPending || GetTickCount() - LastStartPathDone < SLIDE_JOIN_MS);
  if (!joins) {
    JoinedSize = 0;
    JoinedCount = 0;
    JoinedShown = false;
  }
  if (JoinedPaths.data || JoinedPaths.Allocate(SLIDE_FILES_VALUE_MAX)) {
    if (AppendPackedSlide(JoinedPaths.data, JoinedSize, SLIDE_FILES_VALUE_MAX, path)) ++JoinedCount;
  }
  StartPhotoPending = true;
  const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path), PHOTO_FROM_START));
  if (refused != Refusal::NONE) NoteShownPhoto(path, PHOTO_FROM_START, refused);
}
