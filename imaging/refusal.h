// Why a picture the user chose cannot be shown: the loader and the photo and
// frame messages say which, so that the user can be told in plain words.
#pragma once
#include <cstdint>

enum class Refusal : int {
  NONE,           // shown
  NOT_FOUND,      // no file or folder by that name
  UNREADABLE,     // there, but it could not be read (no access, in use)
  NOT_A_PICTURE,  // no decoder takes it
  DAMAGED,        // a picture's header, but its data does not decode
  TOO_LARGE,      // more pixels than the program takes (size below)
  PATH_TOO_LONG,  // longer than Windows takes without long-path support
  NOT_A_FRAME,    // a picture, but too little key colour or no outline left
  NO_PICTURES,    // a folder or set without one picture that shows
  UNREACHABLE,    // a folder that cannot be listed
  NO_ANSWER,      // a file whose reading did not end in time
};

// A refusal with what it is about: the picture's declared size for TOO_LARGE
// (0 x 0 when only its file size said so).
struct RefusalRecord {
  Refusal reason = Refusal::NONE;
  int64_t width = 0, height = 0;
  RefusalRecord(Refusal why = Refusal::NONE, int64_t pictureWidth = 0, int64_t pictureHeight = 0)
      : reason(why), width(pictureWidth), height(pictureHeight) {}
};

// The refusal of a file that did not open, from the system's error number.
Refusal RefusalOfOpenError(uint32_t error);
