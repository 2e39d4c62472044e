// Stands in for the browser and the mail program in tests: appends its whole
// command line, as the shell built it, as one line to open_recorder.log next
// to itself.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH], line[8192];
  const DWORD length = GetModuleFileNameA(nullptr, log, MAX_PATH - 20);
  char* slash = strrchr(log, '\\');
  const int size = lstrlenA(GetCommandLineA());
  if (length == 0 || !slash || size + 1 >= static_cast<int>(sizeof line)) return 1;
  lstrcpyA(slash + 1, "open_recorder.log");
  HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  // One write for the line and its end, so a reader never sees half a line.
  lstrcpyA(line, GetCommandLineA());
  line[size] = '\n';
  DWORD written = 0;
  WriteFile(file, line, size + 1, &written, nullptr);
  CloseHandle(file);
  return written == static_cast<DWORD>(size) + 1 ? 0 : 1;
}
