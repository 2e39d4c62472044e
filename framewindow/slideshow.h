// The slideshow: a folder's pictures or a set of files shown in turn, one
// change every interval on the frame window's timer, never under the user's
// hand. Its source, interval and order are settings; Photo is where it stands.
#pragma once
#include <windows.h>

#include <cstddef>

#include "imaging/refusal.h"

struct PictureWork;

// Milliseconds in a second of the interval; tests make it short.
extern unsigned SlideSecondMs;

// The submenu, built once with the context menu; its items follow RefreshSlideMenu.
HMENU BuildSlideshowMenu();
void RefreshSlideMenu();

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
