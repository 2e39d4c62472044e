// The photo and frame the window shows. A picture of the exe is decoded at
// once; a file is read and decoded by the picture worker, and put in place
// when it is ready, or the user told why not, with nothing changed.
#pragma once
#include <windows.h>

struct PictureWork;

// The frame image of any size becomes 256 × 256.
constexpr int FRAME_SURFACE_SIDE = 256;

// How a photo or frame came, in lParam. At start-up (the stored ones) it
// neither recomposes nor, for the photo, resets pan and zoom, and one that
// does not show gives way to the default; one a person chose is told of
// when it cannot be shown; a start's photo is the slideshow's to tell of.
enum PhotoRoute : LPARAM { PHOTO_CHOSEN = 0, PHOTO_AT_START = 1, PHOTO_FROM_START = 2, PHOTO_SLIDE = 3 };

// wParam: an image source (a path's address above 0xFFFF, else an "R" id);
// lParam: its PhotoRoute. Both return the Refusal of a picture refused at
// once (0 when it was shown or a file was asked for).
LRESULT MsgSetPhoto(WPARAM source, LPARAM route);
LRESULT MsgSetFrame(WPARAM source, LPARAM route);

// On MSG_PICTURE_READY: the photo or frame asked for, put in place.
void PhotoReady();
void FrameReady();
// A slide the slideshow has, decoded, put in place as the photo.
void ShowSlidePicture(PictureWork& work);

// The picture worker's functions for photos (and slides) and frames.
void LoadPhotoWork(PictureWork& work);
void LoadFrameWork(PictureWork& work);

// At start-up: waits, answering messages, until every ornament's stored
// photo and frame are in place or the time is up. 0 when some are still loading.
int AwaitStartPictures(DWORD timeoutMs);
