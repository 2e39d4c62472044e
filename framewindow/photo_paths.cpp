#include "framewindow/photo_paths.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

int IsFullPath(const char* path) {
  if (IsLetter(path[0])) return path[1] == ':' && IsSeparator(path[2]);
  // A share needs its server's name after the two separators.
  return IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] && !IsSeparator(path[2]);
}

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
