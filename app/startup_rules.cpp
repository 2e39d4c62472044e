#include "app/startup_rules.h"

#include <algorithm>
#include <cstring>

#include "app/path_list_rules.h"
#include "app/size_limits.h"
#include "app/texts.h"

int EndsWithHiddenSwitch(const char* commandLine) {
  const size_t length = std::strlen(commandLine);
  const size_t switchLength = sizeof TEXT_HIDDEN_START_SWITCH - 1;
  return length >= switchLength && std::strcmp(commandLine + length - switchLength, TEXT_HIDDEN_START_SWITCH) == 0;
}

namespace {

constexpr size_t SWITCH_LENGTH = sizeof TEXT_HIDDEN_START_SWITCH - 1;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void TrimBlanks(const char*& begin, const char*& end) {
  while (begin < end && IsBlank(*begin)) ++begin;
  while (end > begin && IsBlank(end[-1])) --end;
}

// The program's name ends at its closing quote, or unquoted at the first blank.
const char* SkipProgramName(const char* line) {
  if (*line == '"') {
    const char* closing = std::strchr(line + 1, '"');
    return closing ? closing + 1 : line + std::strlen(line);
  }
  while (*line && !IsBlank(*line)) ++line;
  return line;
}

bool IsSwitch(const char* at) { return std::strncmp(at, TEXT_HIDDEN_START_SWITCH, SWITCH_LENGTH) == 0; }

// The switch is a word of its own: last after a blank or a closing quote, or
// first before a blank.
bool EndsWithSwitchWord(const char* begin, const char* end) {
  const size_t length = static_cast<size_t>(end - begin);
  if (length < SWITCH_LENGTH || !IsSwitch(end - SWITCH_LENGTH)) return false;
  return length == SWITCH_LENGTH || IsBlank(end[-SWITCH_LENGTH - 1]) || end[-SWITCH_LENGTH - 1] == '"';
}

bool StartsWithSwitchWord(const char* begin, const char* end) {
  return static_cast<size_t>(end - begin) > SWITCH_LENGTH && IsSwitch(begin) && IsBlank(begin[SWITCH_LENGTH]);
}

}  // namespace

int TakeCommandLinePath(const char* commandLine, char* path, size_t pathSize) {
  const char* begin = SkipProgramName(commandLine);
  const char* end = begin + std::strlen(begin);
  TrimBlanks(begin, end);
  if (EndsWithSwitchWord(begin, end)) {
    end -= SWITCH_LENGTH;
    TrimBlanks(begin, end);
  }
  if (StartsWithSwitchWord(begin, end)) {
    begin += SWITCH_LENGTH;
    TrimBlanks(begin, end);
  }
  if (begin < end && *begin == '"') {
    // Quoted: the one argument, and nothing after its closing quote.
    if (end - begin < 2 || end[-1] != '"' || std::memchr(begin + 1, '"', static_cast<size_t>(end - begin - 2))) {
      return 0;
    }
    ++begin;
    --end;
  }
  const size_t length = static_cast<size_t>(end - begin);
  if (length == 0 || length >= pathSize) return 0;
  std::memcpy(path, begin, length);
  path[length] = '\0';
  return 1;
}

namespace {

// The paths of the line packed; -1 when it holds anything but paths.
int PackCommandLinePaths(const char* commandLine, char* packed, size_t capacity, size_t& size) {
  int count = 0;
  for (const char* at = SkipProgramName(commandLine);;) {
    while (IsBlank(*at)) ++at;
    if (!*at) return count;
    const bool quoted = *at == '"';
    const char* begin = quoted ? at + 1 : at;
    const char* end = begin;
    while (*end && *end != '"' && (quoted || !IsBlank(*end))) ++end;
    if (quoted != (*end == '"')) return -1;
    at = quoted ? end + 1 : end;
    if (*at && !IsBlank(*at)) return -1;
    const size_t length = static_cast<size_t>(end - begin);
    if (!quoted && length == SWITCH_LENGTH && IsSwitch(begin)) continue;
    char path[PATH_BUFFER_SIZE];
    if (length == 0 || length >= sizeof path) return -1;
    std::memcpy(path, begin, length);
    path[length] = '\0';
    if (!IsFullPath(path)) return -1;
    // Beyond the most a slideshow shows, the first are taken.
    if (count < SLIDES_MAX && !AppendPackedSlide(packed, size, capacity, path)) return -1;
    ++count;
  }
}

}  // namespace

int TakeCommandLinePaths(const char* commandLine, char* packed, size_t capacity, size_t& size) {
  size = 0;
  const int count = PackCommandLinePaths(commandLine, packed, capacity, size);
  if (count < 2) {
    size = 0;
    return 0;
  }
  return std::min(count, SLIDES_MAX);
}
