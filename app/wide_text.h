// The program keeps its strings in UTF-8; the system's wide (W) calls take
// UTF-16. Both ways at the call, refused whole rather than cut off.
#pragma once
#include <windows.h>

// 1 with the whole text and its zero in `wide`; 0, with an empty one, when it does not fit.
int WidenUtf8(const char* text, wchar_t* wide, int capacity);
// 1 with the whole text and its zero in `text`; 0, with an empty one, when it does not fit.
int NarrowToUtf8(const wchar_t* wide, char* text, int capacity);
