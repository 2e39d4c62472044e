// The slideshow: a folder's pictures or a set of files shown in turn, one
// change every interval on the frame window's timer, never under the user's
// hand. Its source, interval and order are settings; Photo is where it stands.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "app/size_limits.h"
#include "framewindow/picture_worker.h"
#include "framewindow/slide_order.h"
#include "imaging/heap_array.h"
#include "imaging/refusal.h"

// Milliseconds in a second of the interval; tests make it short.
extern unsigned SlideSecondMs;

// A folder is listed by the picture worker; what the round does once it is.
enum class AfterListing { NOTHING, WALK, GO_ON };

// A step looks for the next picture that shows, one file at a time through
// the picture worker; the window's thread never waits for it.
struct SlideWalk {
  bool active;
  int step;          // 1 forward, -1 back
  int tries;         // pictures tried so far
  bool relisted;     // a round found empty is listed again once a walk
  bool tell;         // a source that shows nothing is told of (once)
  uint32_t request;  // the picture asked for
  int position;      // the place tried; the round's position moves there once it shows
};

enum class AheadState { NONE, PENDING, READY, REFUSED };

// One ornament's slideshow as it runs; its source, interval and order are its settings.
struct SlideshowState {
  // The round: the source's pictures in name order, the order they show in
  // (a shuffle in random order) and the place of the photo shown in it.
  SlideList slides;
  int order[SLIDES_MAX] = {};
  int position = -1;
  uint32_t randomState = 0;
  bool menuOpen = false;
  // The source as last listed: its folder reached, and whether a round found
  // nothing to show (said once, Next and Previous greyed until it is back).
  bool folderReached = true;
  bool sourceLost = false;
  // The last picture passed over and why, for a set none of which shows.
  char skippedPath[PATH_BUFFER_SIZE] = {};
  RefusalRecord skippedRefusal;
  AfterListing pendingListing = AfterListing::NOTHING;
  SlideWalk walk = {};
  // A new source on trial stays only when one of its pictures shows; until
  // then the one before is kept to go back to.
  bool onTrial = false;
  char previousFolder[PATH_BUFFER_SIZE] = {};
  HeapArray<char> previousFiles;
  size_t previousSize = 0;
  // The next picture in the walk's direction, decoded ahead so that the next
  // change shows at once: at most this one picture more is held (or why it
  // cannot be shown, so the walk passes over it at once).
  AheadState aheadNow = AheadState::NONE;
  PictureWork ahead;
  int aheadPosition = -1;
  uint32_t aheadRequest = 0;
  // Single paths from starts, packed; whether one of them showed, and when the
  // last one was done with (or that one is still under way).
  HeapArray<char> joinedPaths;
  size_t joinedSize = 0;
  int joinedCount = 0;
  bool joinedShown = false;
  bool startPhotoPending = false;
  DWORD lastStartPathDone = 0;
};

// The slideshow of the ornament whose message the window's thread handles.
extern SlideshowState* Slideshow;

// 1 while the slideshow has a source; and one that shows, so that it can step.
int SlideshowOn();
int SlideshowCanStep();

// At the frame window's creation: a stored source that passes its checks goes
// on from the stored photo; any other is dropped.
void ResumeSlideshow();
void MsgSlideTimer();
// Messages that mark the user's hand (the pointer, a drag, the menu, a
// dialog, a window shown again): the next change waits a full interval.
void HoldSlideshow(UINT message);
// A photo file that came by `route` (a PhotoRoute) was shown or refused: one
// chosen alone and shown ends the slideshow; a start's photo joins its set.
void NoteShownPhoto(const char* path, LPARAM route, const RefusalRecord& refused);

// The picture worker lists a folder's pictures, in name order.
void ListSlidesWork(PictureWork& work);
// On MSG_PICTURE_READY: a folder's listing, or a slide, has come.
void SlideListingReady();
void SlideReady();

// The menu's commands. A folder without a picture that shows, or that
// cannot be reached, is refused with a notice and changes nothing.
void ChooseSlideFolder();
void StepSlideshow(int step);
void SetSlideInterval(int choice);
void ToggleSlideOrder();
void StopSlideshow();

// Several files at once (packed as the stored set is): their pictures, in
// name order, become the slideshow; one picture is shown alone. When none of
// them can be shown, nothing changes and a notice says so.
void ShowPhotoSet(const char* packed, size_t size);
void ShowDroppedSet(HDROP drop);
// A single path from a start, shown: paths that arrive within a second of
// each other join into one set. The user is told when it cannot be shown,
// unless another of its set was.
void ShowStartPhoto(const char* path);
