#include "framewindow/slideshow.h"

#include <cstring>
#include <iterator>
#include <utility>

#include "app/ids.h"
#include "app/path_calls.h"
#include "app/settings.h"
#include "app/shared_windows.h"
#include "app/texts.h"
#include "app/utf_text.h"
#include "framewindow/context_menu.h"
#include "framewindow/file_dialogs.h"
#include "framewindow/photo_paths.h"
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
// Set while the slideshow itself sends a photo, which ends nothing.
bool ChangingSlide;
// The source as last listed: its folder reached, and whether a round found
// nothing to show (said once, Next and Previous greyed until it is back).
bool FolderReached = true;
bool SourceLost;
// The last picture passed over and why, for a set none of which shows.
char SkippedPath[PATH_BUFFER_SIZE];
Refusal SkippedRefusal;
// Single paths from starts, packed, and when the last one came.
HeapArray<char> JoinedPaths;
size_t JoinedSize;
int JoinedCount;
bool JoinedShown;
DWORD LastStartPathTick;

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

// The folder's own pictures, not its subfolders' and not its folders. Names
// come in UTF-16: a name whose UTF-8 outgrows the narrow record's 260 bytes
// (or its short name's 14) would end the narrow listing there.
void ListFolder() {
  char pattern[PATH_BUFFER_SIZE + 2];
  wchar_t widePattern[WIDE_PATH_SIZE + 2];
  lstrcpynA(pattern, Settings.SlideFolder, PATH_BUFFER_SIZE);
  lstrcatA(pattern, pattern[lstrlenA(pattern) - 1] == '\\' ? "*" : "\\*");
  WIN32_FIND_DATAW found;
  const HANDLE search = WidenPath(pattern, widePattern, std::size(widePattern))
                            ? FindFirstFileW(widePattern, &found)
                            : INVALID_HANDLE_VALUE;
  FolderReached = search != INVALID_HANDLE_VALUE;
  if (!FolderReached) return;
  const char* extensions = PictureExtensions();
  char name[PATH_BUFFER_SIZE];
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && NarrowPath(found.cFileName, name, sizeof name) &&
        HasListedExtension(name, extensions)) {
      AddSlide(Slides, name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
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

}  // namespace

void StartRound(const char* shown) {
  ClearSlides(Slides);
  FolderReached = true;
  if (Settings.SlideFolder[0]) {
    ListFolder();
  } else {
    UnpackSlides(SlideFiles.bytes, SlideFiles.size, Slides);
  }
  SortSlides(Slides);
  Position = -1;
  if (Settings.SlideRandom == 1) {
    ShuffleRound(Order, Slides.count, shown ? IndexOfPhoto(shown) : -1, RandomState);
  } else {
    for (int i = 0; i < Slides.count; ++i) Order[i] = i;
  }
}

namespace {

// A new round that goes on after the photo shown: by name from its place,
// at random with every other picture still to come.
void GoOnFrom(const char* shown) {
  StartRound(shown);
  if (Settings.SlideRandom != 1) Position = PlaceInNameOrder(shown) - 1;
}

// 1 when the photo at the round's position is shown (or was already).
int ShowAtPosition() {
  char path[PATH_BUFFER_SIZE];
  if (!SlidePath(Order[Position], path)) return 0;
  if (lstrcmpA(path, Settings.Photo) == 0) return 1;
  ChangingSlide = true;
  const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path), 0));
  ChangingSlide = false;
  if (refused == Refusal::NONE) return 1;
  lstrcpyA(SkippedPath, path);
  SkippedRefusal = refused;
  return 0;
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

// Files that are gone or do not decode are passed over quietly; when none
// decodes the photo stays. A round found empty is listed again at the next
// step. 1 when a picture shows.
int ShowStep(int step) {
  for (int tries = 0; tries < Slides.count || (tries == 0 && step > 0); ++tries) {
    if (step > 0 && Position + 1 >= Slides.count) StartRound(Settings.Photo);
    if (Slides.count == 0) break;
    Position = step > 0 ? Position + 1 : (Position > 0 ? Position - 1 : Slides.count - 1);
    if (ShowAtPosition()) return 1;
  }
  return 0;
}

// A step of the running slideshow, which tells of a source lost once.
void StepAndNote(int step) { NoteSource(ShowStep(step) != 0, true); }

void SetSlideTimer() {
  if (SlideshowOn() && Settings.SlideInterval > 0) {
    SetTimer(FrameWindow, SLIDE_TIMER_ID, static_cast<UINT>(Settings.SlideInterval) * SlideSecondMs, nullptr);
  } else {
    KillTimer(FrameWindow, SLIDE_TIMER_ID);
  }
}

// From the first picture of the round, or on from the photo shown. 0 when
// no picture of the round shows.
int StartSlideshow(const char* shown) {
  int showing = 1;
  if (shown) {
    GoOnFrom(shown);
  } else {
    StartRound(nullptr);
    showing = ShowStep(1);
  }
  SourceLost = !showing;
  SetSlideTimer();
  RefreshMenuChecks();
  return showing;
}

// A new folder or set (the other one empty) becomes the source when one of
// its pictures shows; otherwise the slideshow that ran, if any, goes on as
// it was. 1 when the new one was taken.
int TakeSource(const char* folder, const char* packed, size_t size, const char* shown) {
  HeapArray<char> previousFiles;
  const size_t previousSize = SlideFiles.size;
  if (previousSize && (!previousFiles.Allocate(previousSize))) return 0;
  if (previousSize) std::memcpy(previousFiles.data, SlideFiles.bytes, previousSize);
  char previousFolder[PATH_BUFFER_SIZE];
  lstrcpyA(previousFolder, Settings.SlideFolder);
  lstrcpyA(Settings.SlideFolder, folder);
  if (size) std::memcpy(SlideFiles.bytes, packed, size);
  SlideFiles.size = size;
  if (StartSlideshow(shown)) return 1;
  const bool reached = FolderReached;
  lstrcpyA(Settings.SlideFolder, previousFolder);
  if (previousSize) std::memcpy(SlideFiles.bytes, previousFiles.data, previousSize);
  SlideFiles.size = previousSize;
  if (SlideshowOn()) {
    GoOnFrom(Settings.Photo);
  } else {
    ClearSlides(Slides);
  }
  SourceLost = false;
  SetSlideTimer();
  RefreshMenuChecks();
  FolderReached = reached;
  return 0;
}

}  // namespace

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
  if (SlideshowOn()) GoOnFrom(Settings.Photo);
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
  if (SlideMayChange(now)) StepAndNote(1);
}

void HoldSlideshow(UINT message) {
  if (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP) MenuOpen = message == WM_ENTERMENULOOP;
  if (SlideshowOn() && Settings.SlideInterval > 0) SetSlideTimer();
}

void NoteShownPhoto(WPARAM source, LPARAM startup) {
  if (ChangingSlide || startup == 1 || source <= IMAGE_SOURCE_MAX_RESOURCE_ID || !SlideshowOn() ||
      lstrcmpA(reinterpret_cast<const char*>(source), Settings.Photo) != 0) {
    return;
  }
  StopSlideshow();
}

void ChooseSlideFolder() {
  char folder[PATH_BUFFER_SIZE];
  if (!ChooseFolderCall(Settings.SlideFolder[0] ? Settings.SlideFolder : Settings.Path, folder)) return;
  if (!TakeSource(folder, nullptr, 0, nullptr)) {
    NotifyRefusal(NoticeSubject::FOLDER, folder, FolderReached ? Refusal::NO_PICTURES : Refusal::UNREACHABLE);
  }
}

void StepSlideshow(int step) {
  if (!SlideshowOn()) return;
  StepAndNote(step);
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
  if (SlideshowOn()) GoOnFrom(Settings.Photo);
  RefreshMenuChecks();
}

void StopSlideshow() {
  Settings.SlideFolder[0] = '\0';
  SlideFiles.size = 0;
  SourceLost = false;
  ClearSlides(Slides);
  SetSlideTimer();
  RefreshMenuChecks();
}

namespace {

// `shown`: the photo shown, from which a set joined around it goes on.
// Paths that are no full paths or name no picture are left out. When none
// of the files can be shown, one notice names the last one tried and why.
void TakePhotoSet(const char* packed, size_t size, const char* shown) {
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
    const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(last), 0));
    if (refused == Refusal::NONE) return;
    lstrcpyA(SkippedPath, last);
    SkippedRefusal = refused;
  } else if (count >= 2 && TakeSource("", pictures.data, kept, shown)) {
    return;
  }
  if (given > 0) NotifyRefusal(NoticeSubject::PHOTO, SkippedPath, SkippedRefusal, given);
}

}  // namespace

void ShowPhotoSet(const char* packed, size_t size) { TakePhotoSet(packed, size, nullptr); }

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
// photo shown takes back what was told.
void ShowStartPhoto(const char* path) {
  const DWORD now = GetTickCount();
  const bool joins = JoinedSize > 0 && now - LastStartPathTick < SLIDE_JOIN_MS;
  LastStartPathTick = now;
  if (!joins) {
    JoinedSize = 0;
    JoinedCount = 0;
    JoinedShown = false;
  }
  if (JoinedPaths.data || JoinedPaths.Allocate(SLIDE_FILES_VALUE_MAX)) {
    if (AppendPackedSlide(JoinedPaths.data, JoinedSize, SLIDE_FILES_VALUE_MAX, path)) ++JoinedCount;
  }
  const auto refused = static_cast<Refusal>(SendMessageA(FrameWindow, MSG_SET_PHOTO, reinterpret_cast<WPARAM>(path), 0));
  if (refused == Refusal::NONE) {
    if (std::exchange(JoinedShown, true) == false && JoinedCount > 1) HideNotice();
  } else if (!JoinedShown) {
    NotifyRefusal(NoticeSubject::PHOTO, path, refused, JoinedCount);
  }
  if (joins && JoinedShown) TakePhotoSet(JoinedPaths.data, JoinedSize, Settings.Photo);
}
