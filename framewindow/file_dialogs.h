// The dialogs in which the user chooses a photo, a frame file or a folder of
// photos: the common item dialog where the system has it, the older dialogs
// where it does not. Paths come and go in the program's UTF-8; a folder left
// empty is the user's Pictures folder.
#pragma once
// 1 with the chosen file's full path in `path` (PATH_BUFFER_SIZE bytes); 0,
// with `path` unchanged, when the dialog was cancelled or failed. It opens in
// `folder` on the file `name` (either may be empty), lists the pictures first.
int ChooseImageFile(const char* title, const char* folder, const char* name, char* path);

// 1 with a chosen folder's full path in `folder` (PATH_BUFFER_SIZE bytes),
// starting at `start` (may be empty). Replaceable so that tests can choose
// without a dialog.
using ChooseFolderFunction = int (*)(const char* start, char* folder);
extern ChooseFolderFunction ChooseFolderCall;
int ChooseFolderInDialog(const char* start, char* folder);
