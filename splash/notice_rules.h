// The notice's words and place: plain text and numbers, no windows.
#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/refusal.h"

// A notice names a path of up to PATH_BUFFER_SIZE bytes and says why.
constexpr size_t NOTICE_TEXT_SIZE = 1536;

// The pattern with %1 to %9 replaced by args[0] to args[8] (an argument
// beyond `count` is empty; "%%" is one "%"). 0, with an empty text, when the
// result does not fit.
int FillPattern(char* text, size_t capacity, const char* pattern, const char* const* args, int count);

enum class NoticeSubject { PHOTO, FRAME, FOLDER };

// "Cannot show "name": the reason." for one file or folder, or, with
// fileCount above 1, that none of the files given at once can be shown and
// why the first of them was refused. The name is the path's last part.
int ComposeRefusalNotice(char* text, size_t capacity, NoticeSubject subject, const char* path,
                         const RefusalRecord& why, int fileCount);

struct NoticeBox {
  int32_t left, top, right, bottom;
};

// Where a notice of this size goes: below the frame, or above it when the
// work area leaves no room below, its left edge at the frame's, the whole
// notice kept inside the work area as far as it fits. `gap` lies between them.
NoticeBox PlaceNotice(const NoticeBox& frame, int32_t width, int32_t height, const NoticeBox& work, int32_t gap);
