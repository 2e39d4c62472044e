#include "app/settings_rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/size_limits.h"
#include "app/texts.h"
#include "app/utf_text.h"

void TrimToExistingFolder(char* path, PathExistsFunction pathExists) {
  size_t cursor = std::strlen(path);
  if (cursor == 0) return;
  --cursor;
  while (cursor > 0) {
    if (path[cursor] == '\\') {
      path[cursor] = '\0';
      --cursor;
      continue;
    }
    if (pathExists(path)) return;
    while (cursor > 0 && path[cursor] != '\\') --cursor;
  }
}

ImageSource ChooseStartFrame(int32_t frameId, const char* framePath, PathExistsFunction pathExists) {
  if (frameId == FRAME_ID_CUSTOM) {
    return pathExists(framePath) ? reinterpret_cast<ImageSource>(framePath) : FRAME_ID_DEFAULT;
  }
  // Compared unsigned, so every other negative value is out of range.
  const uint32_t id = static_cast<uint32_t>(frameId);
  if (id >= static_cast<uint32_t>(FRAME_ID_FIRST) && id <= static_cast<uint32_t>(FRAME_ID_LAST)) return id;
  return FRAME_ID_DEFAULT;
}

ImageSource ChooseStartPhoto(const char* photoPath, PathExistsFunction pathExists) {
  return pathExists(photoPath) ? reinterpret_cast<ImageSource>(photoPath) : DEFAULT_PHOTO_ID;
}

int32_t ToggleSetting(int32_t& setting) {
  setting = (setting & 1) == 0 ? 1 : 0;
  return setting;
}

int OrnamentKeyName(int number, char* name, size_t size) {
  constexpr size_t prefixLength = sizeof TEXT_ORNAMENT_KEY_PREFIX - 1;
  const size_t digits = number >= 10 ? 2 : 1;
  if (number < 2 || number > ORNAMENTS_MAX || size < prefixLength + digits + 1) return 0;
  std::memcpy(name, TEXT_ORNAMENT_KEY_PREFIX, prefixLength);
  if (digits == 2) name[prefixLength] = static_cast<char>('0' + number / 10);
  name[prefixLength + digits - 1] = static_cast<char>('0' + number % 10);
  name[prefixLength + digits] = '\0';
  return 1;
}

template <typename Unit>
int TerminateStringValue(Unit* buffer, size_t bufferSize, size_t read) {
  if (bufferSize == 0) return 0;
  // The registry may hand back the value with a zero appended; a full buffer
  // fits only when its last byte is that zero.
  if (read >= bufferSize) {
    if (read == bufferSize && buffer[bufferSize - 1] == 0) return 1;
    buffer[0] = 0;
    return 0;
  }
  buffer[read] = 0;
  return 1;
}
template int TerminateStringValue(char*, size_t, size_t);
template int TerminateStringValue(Utf16Unit*, size_t, size_t);

int IsStorablePath(const char* text) {
  return Utf8ToUtf16(text, std::strlen(text) + 1, nullptr, WIDE_PATH_SIZE) > 0;
}

void KeepLoadedSettingsInRange(SettingsTable& settings) {
  // The tray icon shows for any value but 0: its tick says so too.
  if (settings.TrayIcon != 0) settings.TrayIcon = 1;
  if (settings.Show != 1 && settings.Show != 2) settings.Show = 1;
  settings.W1 = std::clamp(settings.W1, WINDOW_SIDE_MIN, WINDOW_SIDE_MAX);
  settings.H1 = std::clamp(settings.H1, WINDOW_SIDE_MIN, WINDOW_SIDE_MAX);
  settings.X1 = std::min(settings.X1, INT32_MAX - settings.W1);
  settings.Y1 = std::min(settings.Y1, INT32_MAX - settings.H1);
  constexpr int32_t pictureSideMax = static_cast<int32_t>(MAX_IMAGE_PIXELS);
  settings.W3 = std::clamp(settings.W3, 1, pictureSideMax);
  settings.H3 = std::clamp(settings.H3, 1, pictureSideMax);
  settings.X2 = std::clamp(settings.X2, -pictureSideMax, pictureSideMax);
  settings.Y2 = std::clamp(settings.Y2, -pictureSideMax, pictureSideMax);
  if (std::find(std::begin(SLIDE_INTERVALS), std::end(SLIDE_INTERVALS), settings.SlideInterval) ==
      std::end(SLIDE_INTERVALS)) {
    settings.SlideInterval = SLIDE_INTERVAL_DEFAULT;
  }
  if (settings.SlideRandom != 1) settings.SlideRandom = 0;
}
