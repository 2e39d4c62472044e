// One worker thread reads and decodes every picture file and lists the
// slideshows' folders, so that the frame windows' thread never waits on a
// file. It serves every ornament: each asks as its owner number, and when a
// piece of work is done the worker posts MSG_PICTURE_READY (wParam: its kind)
// to the owner's window, which takes it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/ids.h"
#include "app/path_list_rules.h"
#include "app/size_limits.h"
#include "imaging/heap_array.h"
#include "imaging/image_loader.h"
#include "imaging/photo_reductions.h"
#include "imaging/surface.h"

// In the order the worker takes them when several wait: what the user asked
// for before what the slideshow prepares.
enum PictureKind : int { PICTURE_PHOTO, PICTURE_FRAME, PICTURE_LISTING, PICTURE_SLIDE, PICTURE_KIND_COUNT };

// Work on one file that takes longer than this (10 s; tests make it short)
// is given up: a new worker takes over, and the request fails as a file that
// does not answer.
extern DWORD PictureWorkTimeoutMs;

// The owner number (0 to ORNAMENTS_MAX - 1) of the ornament whose message the
// window's thread handles: the calls below ask, drop and take as that owner.
extern int PictureOwner;

// One request and what the worker made of it.
struct PictureWork {
  int owner = 0;
  int kind = PICTURE_PHOTO;
  uint32_t number = 0;
  char path[PATH_BUFFER_SIZE] = {};  // the file or folder, UTF-8; empty for a resource
  ImageSource resource = 0;          // or a picture of the exe
  LPARAM tag = 0;                    // the asker's own value, handed back
  RefusalRecord refusal;             // none when the work made its result, otherwise why not
  // A photo or slide: the picture upright, with its reductions.
  DecodedPicture picture;
  PhotoReductions levels;
  // A frame: its key image and artwork at the frame surface's size.
  Surface keys, artwork;
  // A folder's pictures in name order.
  HeapArray<SlideList> listing;
};

using PictureWorkFunction = void (*)(PictureWork& work);

// Starts the worker with one function for each kind. 0 when the thread
// cannot be made.
int StartPictureWorker(const PictureWorkFunction (&functions)[PICTURE_KIND_COUNT]);
// Asks the worker to stop and waits a little for it.
void StopPictureWorker();
// The window an owner's results are posted to; null when the ornament goes,
// which drops its requests.
void SetPictureOwnerWindow(int owner, HWND window);

// Asks for one piece of work: a newer request of its kind replaces an older
// one still waiting, and the older one's result is dropped. Its number, or 0
// when there is no memory for it.
uint32_t AskPictureWork(int kind, const char* path, ImageSource resource, LPARAM tag);
// Every request of the kind so far stops counting.
void DropPictureWork(int kind);
// 1 while a request of the kind has not come back; of any kind and owner.
int PictureWorkPending(int kind);
int AnyPictureWorkPending();
// On MSG_PICTURE_READY: the newest done work of the kind, moved into `work`;
// 0 when there is none (it was replaced meanwhile).
int TakePictureWork(int kind, PictureWork& work);
// On a window's watch timer: work that took too long is given up; with no
// work left, the window's timer stops.
void WatchPictureWorker(HWND window);
