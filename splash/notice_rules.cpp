#include "splash/notice_rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "app/size_limits.h"
#include "app/texts.h"

static_assert(std::size(TEXT_NOTICE_REASONS) == static_cast<size_t>(Refusal::NO_ANSWER) + 1);
static_assert(MAX_IMAGE_PIXELS == int64_t{64} << 20 && PATH_UNITS_MAX == 259, "the reasons name these limits");

namespace {

// The path's last part: a folder's name without its trailing backslash; a
// drive's root stays whole.
void LastPart(const char* path, char* name, size_t capacity) {
  size_t end = strlen(path);
  while (end > 1 && (path[end - 1] == '\\' || path[end - 1] == '/') && path[end - 2] != ':') --end;
  size_t start = end;
  while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/') --start;
  if (start == end) start = 0;
  const size_t length = std::min(end - start, capacity - 1);
  memcpy(name, path + start, length);
  name[length] = '\0';
}

void WriteNumber(int64_t value, char* text) {
  char digits[24];
  int count = 0;
  uint64_t rest = value < 0 ? 0 : static_cast<uint64_t>(value);
  do {
    digits[count++] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest > 0);
  for (int i = 0; i < count; ++i) text[i] = digits[count - 1 - i];
  text[count] = '\0';
}

}  // namespace

int FillPattern(char* text, size_t capacity, const char* pattern, const char* const* args, int count) {
  if (capacity == 0) return 0;
  size_t at = 0;
  for (const char* p = pattern; *p; ++p) {
    const char* piece = p;
    size_t length = 1;
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      const int index = p[1] - '1';
      piece = index < count && args[index] ? args[index] : "";
      length = strlen(piece);
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      ++p;
    }
    if (at + length >= capacity) {
      text[0] = '\0';
      return 0;
    }
    memcpy(text + at, piece, length);
    at += length;
  }
  text[at] = '\0';
  return 1;
}

int ComposeRefusalNotice(char* text, size_t capacity, NoticeSubject subject, const char* path,
                         const RefusalRecord& why, int fileCount) {
  Refusal reason = why.reason;
  if (subject == NoticeSubject::FOLDER && (reason == Refusal::NOT_FOUND || reason == Refusal::UNREADABLE)) {
    reason = Refusal::UNREACHABLE;
  }
  const auto index = static_cast<size_t>(reason);
  if (reason == Refusal::NONE || index >= std::size(TEXT_NOTICE_REASONS)) {
    if (capacity) text[0] = '\0';
    return 0;
  }
  char name[PATH_BUFFER_SIZE], width[24], height[24], files[24], because[256];
  LastPart(path, name, sizeof name);
  WriteNumber(why.width, width);
  WriteNumber(why.height, height);
  WriteNumber(fileCount, files);
  const bool sizeKnown = why.width > 0 && why.height > 0;
  const char* reasonPattern =
      reason == Refusal::TOO_LARGE && !sizeKnown ? TEXT_NOTICE_TOO_LARGE_FILE : TEXT_NOTICE_REASONS[index];
  const char* const reasonArgs[] = {nullptr, nullptr, nullptr, width, height};
  FillPattern(because, sizeof because, reasonPattern, reasonArgs, 5);
  const char* pattern = fileCount > 1                      ? TEXT_NOTICE_SET
                        : subject == NoticeSubject::FRAME  ? TEXT_NOTICE_FRAME
                        : subject == NoticeSubject::FOLDER ? TEXT_NOTICE_FOLDER
                                                           : TEXT_NOTICE_PHOTO;
  const char* const args[] = {name, because, files};
  return FillPattern(text, capacity, pattern, args, 3);
}

NoticeBox PlaceNotice(const NoticeBox& frame, int32_t width, int32_t height, const NoticeBox& work, int32_t gap) {
  int32_t top = frame.bottom + gap;
  if (top + height > work.bottom && frame.top - gap - height >= work.top) top = frame.top - gap - height;
  top = std::max(std::min(top, work.bottom - height), work.top);
  const int32_t left = std::max(std::min(frame.left, work.right - width), work.left);
  return {left, top, left + width, top + height};
}
