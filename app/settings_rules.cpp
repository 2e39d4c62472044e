#include "app/settings_rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/size_limits.h"

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

int TerminateStringValue(char* buffer, size_t bufferSize, size_t bytesRead) {
  if (bufferSize == 0) return 0;
  // The registry may hand back the value with a zero appended; a full buffer
  // fits only when its last byte is that zero.
  if (bytesRead >= bufferSize) {
    if (bytesRead == bufferSize && buffer[bufferSize - 1] == '\0') return 1;
    buffer[0] = '\0';
    return 0;
  }
  buffer[bytesRead] = '\0';
  return 1;
}

namespace {

// The UTF-16 units of the UTF-8 sequence at text, or 0 when it is malformed:
// cut short, overlong, a surrogate or beyond U+10FFFF.
int Utf8SequenceUnits(const unsigned char* text, size_t& length) {
  const unsigned lead = text[0];
  if (lead < 0x80) {
    length = 1;
    return 1;
  }
  uint32_t code;
  uint32_t least;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
    code = code << 6 | (text[i] & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return code >= 0x10000 ? 2 : 1;
}

}  // namespace

int IsStorablePath(const char* text, int utf8) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  if (!utf8) return std::strlen(text) < static_cast<size_t>(PATH_BUFFER_SIZE);
  int units = 0;
  for (size_t at = 0, length = 0; bytes[at]; at += length) {
    const int sequenceUnits = Utf8SequenceUnits(bytes + at, length);
    units += sequenceUnits;
    if (!sequenceUnits || units > PATH_UNITS_MAX) return 0;
  }
  return 1;
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
