// Start-up decisions on plain values.
#pragma once
#include <cstddef>
#include <cstdint>

// 1 when the whole command line ends in exactly "/a" (case-sensitive, no trimming).
int EndsWithHiddenSwitch(const char* commandLine);

// The picture path a start from Explorer brings ("Open with", "Send to", a
// file dropped on the icon): the one argument after the program's name,
// quoted or not, with the hidden switch before or after it left out. 1 with
// the path in the buffer; 0 when there is none, it is malformed, or it does
// not fit the buffer whole: a cut-off path would name another file.
int TakeCommandLinePath(const char* commandLine, char* path, size_t pathSize);

// Several picture paths, as "Send to" passes the files selected: each a full
// path, quoted or without blanks, the hidden switch anywhere between them.
// The count (at most SLIDES_MAX, the first ones) with the paths packed as
// the stored set is; 0 when the line holds fewer than two paths or anything
// else, or they do not fit: the single path's reading then applies.
int TakeCommandLinePaths(const char* commandLine, char* packed, size_t capacity, size_t& size);
