// The settings rules on random values: stored string values of any length
// and content, paths trimmed against a random set of existing folders, any
// stored numbers and any stored set of slideshow files.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/path_list_rules.h"
#include "app/settings_rules.h"
#include "app/utf_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The path before the trim, and which of its prefixes "exist".
std::string Original;
uint32_t ExistingSeed;
const char* TrimmedBuffer;

int SeededPathExists(const char* path) {
  const size_t length = std::strlen(path);
  if (path == TrimmedBuffer) Require(Original.compare(0, length, path) == 0, "only prefixes are looked up");
  uint32_t hash = ExistingSeed;
  for (size_t i = 0; i < length; ++i) hash = (hash ^ static_cast<uint8_t>(path[i])) * 16777619u;
  return (hash & 3) == 0;
}

void CheckStringValue(FuzzedDataProvider& input) {
  const size_t bufferSize = input.ConsumeIntegralInRange<size_t>(1, 1000);
  const size_t unitsRead = input.ConsumeIntegralInRange<size_t>(0, bufferSize);
  std::vector<Utf16Unit> stored(bufferSize, u'x');
  input.ConsumeData(stored.data(), bufferSize * sizeof(Utf16Unit));
  std::vector<Utf16Unit> buffer = stored;
  if (!TerminateStringValue(buffer.data(), bufferSize, unitsRead)) {
    Require(buffer[0] == 0 && unitsRead == bufferSize, "only a full buffer is refused, leaving an empty string");
    return;
  }
  const auto end = std::find(buffer.begin(), buffer.end(), Utf16Unit{0});
  Require(end != buffer.end() && end - buffer.begin() <= static_cast<ptrdiff_t>(unitsRead) &&
              std::equal(buffer.begin(), end, stored.begin()),
          "a taken value is terminated inside the buffer and is what was read");
  char path[PATH_BUFFER_SIZE];
  Utf16Unit again[WIDE_PATH_SIZE];
  if (end - buffer.begin() < WIDE_PATH_SIZE && NarrowPath(buffer.data(), path, sizeof path)) {
    Require(IsStorablePath(path) && WidenPath(path, again, WIDE_PATH_SIZE) &&
                std::equal(buffer.begin(), end + 1, again),
            "a path Windows takes fits the path buffer in UTF-8 and comes back unit for unit");
  }
}

void CheckTrim(FuzzedDataProvider& input) {
  ExistingSeed = input.ConsumeIntegral<uint32_t>();
  std::string path;
  while (path.size() < 255 && input.remaining_bytes() > 0) {
    const uint8_t c = input.ConsumeIntegral<uint8_t>();
    // Mostly backslashes and letters, so that paths have components.
    path.push_back(c < 96 ? '\\' : c < 224 ? static_cast<char>('a' + c % 3) : static_cast<char>(c));
  }
  path.resize(std::strlen(path.c_str()));  // up to its first zero
  Original = path;
  char buffer[256];
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  TrimmedBuffer = buffer;
  TrimToExistingFolder(buffer, SeededPathExists);
  TrimmedBuffer = nullptr;
  const size_t length = std::strlen(buffer);
  Require(Original.compare(0, length, buffer) == 0 && (Original.empty() || length >= 1),
          "the trim leaves a prefix, and the first character always");
  Require(length <= 1 || (buffer[length - 1] != '\\' &&
                          (SeededPathExists(buffer) || std::strchr(buffer + 1, '\\') == nullptr)),
          "the trim ends, without a trailing backslash, on something that exists or on the first component");
}

// Any table of stored numbers comes out in range, and a second pass changes
// nothing: values in range are left alone.
void CheckRanges(FuzzedDataProvider& input) {
  SettingsTable settings = BUILT_IN_SETTINGS;
  input.ConsumeData(&settings, offsetof(SettingsTable, Path));  // the numbers, X1 to FrameID
  KeepLoadedSettingsInRange(settings);
  Require((settings.TrayIcon == 0 || settings.TrayIcon == 1) && (settings.Show == 1 || settings.Show == 2),
          "the tray icon is 0 or 1, shown or put away");
  Require(settings.W1 >= 32 && settings.W1 <= 256 && settings.H1 >= 32 && settings.H1 <= 256 && settings.W3 >= 1 &&
              settings.H3 >= 1,
          "window and zoom sides");
  Require(int64_t{settings.X1} + settings.W1 <= INT32_MAX && int64_t{settings.Y1} + settings.H1 <= INT32_MAX,
          "window edges fit");
  const SettingsTable once = settings;
  KeepLoadedSettingsInRange(settings);
  Require(std::memcmp(&once, &settings, sizeof settings) == 0, "values in range stay");
}

// Any stored set of files is taken whole, and packs again to the same bytes,
// or refused whole.
void CheckSlideFiles(FuzzedDataProvider& input) {
  const std::vector<char> bytes = input.ConsumeRemainingBytes<char>();
  static SlideList list;
  if (!UnpackSlides(bytes.data(), bytes.size(), list)) {
    Require(list.count == 0, "a refused set leaves no slides");
    return;
  }
  std::vector<char> again(bytes.size());
  Require(PackSlides(list, again.data(), again.size()) == bytes.size() && again == bytes,
          "a taken set is every path of the bytes, in their order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: CheckStringValue(input); break;
    case 1: CheckTrim(input); break;
    case 2: CheckSlideFiles(input); break;
    default: CheckRanges(input); break;
  }
  return 0;
}
