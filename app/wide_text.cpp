#include "app/wide_text.h"

int WidenUtf8(const char* text, wchar_t* wide, int capacity) {
  if (capacity <= 0) return 0;
  if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, capacity) > 0) return 1;
  wide[0] = L'\0';
  return 0;
}

int NarrowToUtf8(const wchar_t* wide, char* text, int capacity) {
  if (capacity <= 0) return 0;
  if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, capacity, nullptr, nullptr) > 0) return 1;
  text[0] = '\0';
  return 0;
}
