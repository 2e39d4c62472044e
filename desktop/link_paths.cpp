#include "desktop/link_paths.h"

#include <cstring>

#include "app/texts.h"

namespace {

int Refuse(char* out, size_t capacity) {
  if (capacity) out[0] = '\0';
  return 0;
}

// Appends the pieces in order when all of them fit with the zero.
int ComposeWithin(char* out, size_t capacity, const char* const* pieces, const size_t* lengths, size_t count) {
  size_t total = 0;
  for (size_t i = 0; i < count; ++i) total += lengths[i];
  if (total >= capacity) return Refuse(out, capacity);
  size_t at = 0;
  for (size_t i = 0; i < count; ++i) {
    memcpy(out + at, pieces[i], lengths[i]);
    at += lengths[i];
  }
  out[at] = '\0';
  return 1;
}

}  // namespace

int ComposeAutostartCommand(char* command, size_t capacity, const char* modulePath) {
  const char* pieces[] = {"\"", modulePath, "\" ", TEXT_HIDDEN_START_SWITCH};
  const size_t lengths[] = {1, strlen(modulePath), 2, sizeof TEXT_HIDDEN_START_SWITCH - 1};
  if (lengths[1] == 0) return Refuse(command, capacity);
  return ComposeWithin(command, capacity, pieces, lengths, 4);
}

int ComposeShortcutPath(char* path, size_t capacity, const char* folder, size_t folderSize, int place) {
  const char* subfolder = place == SHORTCUT_QUICK_LAUNCH ? TEXT_QUICK_LAUNCH_SUBFOLDER : "";
  const char* pieces[] = {folder, subfolder, TEXT_SHORTCUT_FILE_SUFFIX};
  const size_t lengths[] = {strnlen(folder, folderSize), strlen(subfolder), sizeof TEXT_SHORTCUT_FILE_SUFFIX - 1};
  if (lengths[0] == 0 || place < SHORTCUT_DESKTOP || place > SHORTCUT_QUICK_LAUNCH) return Refuse(path, capacity);
  return ComposeWithin(path, capacity, pieces, lengths, 3);
}
