// Paths of photos that come from outside the open dialog: a drop, a start
// from Explorer, another start's hand-over.
#pragma once
#include <cstddef>

// 1 for a path that names its drive ("C:\...") or share ("\\server\..."):
// one that needs no current folder to be found.
int IsFullPath(const char* path);

// The folder part of a full path, up to and including its last backslash,
// as the open dialog keeps its folder; 0, with nothing changed, when there
// is none or it does not fit.
int CopyFolderPart(char* folder, size_t folderSize, const char* path);
