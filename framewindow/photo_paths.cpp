#include "framewindow/photo_paths.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

int CopyFolderPart(char* folder, size_t folderSize, const char* path) {
  const char* end = nullptr;
  for (const char* at = path; *at; ++at) {
    if (IsSeparator(*at)) end = at + 1;
  }
  if (!end) return 0;
  const size_t length = static_cast<size_t>(end - path);
  if (length >= folderSize) return 0;
  std::memcpy(folder, path, length);
  folder[length] = '\0';
  return 1;
}
