// Text between the program's UTF-8 and the UTF-16 of Windows' wide calls.
// The program keeps every path in UTF-8 whatever the system's code page; each
// call that takes or returns a name converts at the call, and refuses a name
// that is not valid in either form or does not fit rather than cut it.
#pragma once
#include <cstddef>

#include "app/size_limits.h"

// A UTF-16 unit: wchar_t on Windows, where the wide calls take it.
#ifdef _WIN32
using Utf16Unit = wchar_t;
#else
using Utf16Unit = char16_t;
#endif

// A path's units with their zero, as the wide calls take and return them.
constexpr int WIDE_PATH_SIZE = PATH_UNITS_MAX + 1;

// Converts `count` bytes of UTF-8 (a zero converts like any other character)
// into units; the number written, or 0 when the bytes are not valid UTF-8 (cut
// short, overlong, a surrogate, beyond U+10FFFF) or take more than `unitsSize`
// units. With `units` null it only counts, within the same limit.
size_t Utf8ToUtf16(const char* bytes, size_t count, Utf16Unit* units, size_t unitsSize);

// Converts `count` units into UTF-8; the number of bytes written, or 0 for a
// surrogate without its pair or more than `bytesSize` bytes.
size_t Utf16ToUtf8(const Utf16Unit* units, size_t count, char* bytes, size_t bytesSize);

// A zero-terminated path either way: 1 with the whole path and its zero
// written, else 0 with an empty string.
int WidenPath(const char* path, Utf16Unit* wide, size_t wideSize);
int NarrowPath(const Utf16Unit* wide, char* path, size_t pathSize);
