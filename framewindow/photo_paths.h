// The folder of a photo that comes from outside the open dialog (a drop, a
// start from Explorer, another start's hand-over), kept as the dialog keeps it.
#pragma once
#include <cstddef>

// The folder part of a full path, up to and including its last backslash,
// as the open dialog keeps its folder; 0, with nothing changed, when there
// is none or it does not fit.
int CopyFolderPart(char* folder, size_t folderSize, const char* path);
