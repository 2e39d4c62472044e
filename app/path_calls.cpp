#include "app/path_calls.h"

#include "app/utf_text.h"
#include "imaging/heap_array.h"

namespace {

HeapArray<char> CommandLineText;
char EmptyCommandLine[1];

}  // namespace

LPSTR WINAPI ProgramCommandLine() {
  if (CommandLineText.data) return CommandLineText.data;
  const wchar_t* line = GetCommandLineW();
  const size_t units = static_cast<size_t>(lstrlenW(line)) + 1;
  // A unit takes at most three bytes in UTF-8 (a pair of two takes four).
  if (!CommandLineText.Allocate(units * 3) || !Utf16ToUtf8(line, units, CommandLineText.data, CommandLineText.count)) {
    CommandLineText.Allocate(0);
    return EmptyCommandLine;
  }
  return CommandLineText.data;
}

int DroppedFilePath(HDROP drop, UINT index, char* path) {
  wchar_t wide[WIDE_PATH_SIZE];
  const UINT length = DragQueryFileW(drop, index, nullptr, 0);
  return length > 0 && length < WIDE_PATH_SIZE && DragQueryFileW(drop, index, wide, WIDE_PATH_SIZE) == length &&
         NarrowPath(wide, path, PATH_BUFFER_SIZE);
}
