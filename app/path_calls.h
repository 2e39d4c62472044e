// Paths that Windows hands the program, through the wide calls and in the
// program's UTF-8: the narrow calls give them in the system's code page,
// which cannot spell every name, and fail outright on names whose UTF-8 does
// not fit their buffers.
#pragma once
#include <windows.h>
#include <shellapi.h>

// The start's command line, converted at the first call and kept; empty
// when it holds a name that is no valid UTF-16.
LPSTR WINAPI ProgramCommandLine();

// The path of the dropped file at `index` into a PATH_BUFFER_SIZE buffer;
// 0 when there is none or it is longer than Windows takes: a cut-off path
// would name another file.
int DroppedFilePath(HDROP drop, UINT index, char* path);
