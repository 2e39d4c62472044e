// Stands in for the browser and the mail program in tests: appends its
// arguments, as the shell built them, as one line to open_recorder.log next
// to itself.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  char log[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, log, MAX_PATH - 20);
  char* slash = strrchr(log, '\\');
  if (length == 0 || !slash) return 1;
  lstrcpyA(slash + 1, "open_recorder.log");
  HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  // One write for the line and its end, so a reader never sees half a line.
  const std::string line = std::string(arguments) + "\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return written == line.size() ? 0 : 1;
}
