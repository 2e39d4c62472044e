// A short notice beside the frame window, in the hint's look, that says why
// something the user asked for cannot be done. One at a time (a new one
// replaces it), never active and never taking the keyboard, gone after
// NOTICE_SHOWN_MS or at a click. Its window text is the whole message, for
// screen readers. Main thread only.
#pragma once
#include "imaging/refusal.h"
#include "splash/notice_rules.h"

// Shows the text (UTF-8) beside the frame window.
void ShowNotice(const char* text);
void HideNotice();
// The notice for a photo, frame or folder that cannot be shown; a fileCount
// above 1 for several files given at once, none of which can be.
void NotifyRefusal(NoticeSubject subject, const char* path, const RefusalRecord& why, int fileCount = 1);
