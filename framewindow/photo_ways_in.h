// Every way a photo or frame a person gives comes in: the open dialogs, a
// drop, and a hand-over from another start (Explorer's "Open with", "Send
// to", a drop on the exe). The photo and frame sources show what comes.
#pragma once
#include <windows.h>

#include "app/size_limits.h"

// The path of a dropped file or of the open dialog's choice.
extern char FileNameBuffer[PATH_BUFFER_SIZE];

// "Select Photo..." and "Select Frame > Custom...".
void ChoosePhoto();
void ChooseFrame();
// A name longer than the buffer would arrive cut short and might name some
// other file: it is refused like a missing one. Several files are a slideshow.
void MsgDropFiles(HDROP drop);
// 1 when the data was a photo path or a list of them and was taken (whether
// they decode or not).
LRESULT MsgCopyData(const COPYDATASTRUCT* data);
