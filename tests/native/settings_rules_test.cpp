#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/settings_rules.h"

namespace {

// The folders that "exist" for the path trims.
std::set<std::string> ExistingPaths;

int FakePathExists(const char* path) { return ExistingPaths.count(path) ? 1 : 0; }

std::string Trimmed(const char* path, std::initializer_list<const char*> existing) {
  ExistingPaths = {existing.begin(), existing.end()};
  char buffer[256];
  std::strcpy(buffer, path);
  TrimToExistingFolder(buffer, FakePathExists);
  return buffer;
}

TEST(TrimToExistingFolder, CutsBackToTheDeepestExistingFolder) {
  EXPECT_EQ(Trimmed("C:\\Photos\\Gone\\", {"C:\\Photos"}), "C:\\Photos");
  EXPECT_EQ(Trimmed("C:\\Photos\\Gone\\Deeper\\x.jpg", {"C:\\Photos"}), "C:\\Photos");
  EXPECT_EQ(Trimmed("C:\\Photos\\Here", {"C:\\Photos", "C:\\Photos\\Here"}), "C:\\Photos\\Here");
}

TEST(TrimToExistingFolder, DropsTrailingBackslashesEvenWhenTheFolderExists) {
  EXPECT_EQ(Trimmed("C:\\Photos\\", {"C:\\Photos", "C:\\Photos\\"}), "C:\\Photos");
  EXPECT_EQ(Trimmed("C:\\Photos\\\\\\", {"C:\\Photos"}), "C:\\Photos");
  EXPECT_EQ(Trimmed("C:\\", {"C:\\", "C:"}), "C:");
}

TEST(TrimToExistingFolder, EndsAsTheFirstComponentWhenNothingExists) {
  EXPECT_EQ(Trimmed("Q:\\Nowhere\\At\\All", {}), "Q:");
  EXPECT_EQ(Trimmed("relative\\path", {}), "relative");
}

TEST(TrimToExistingFolder, NeverTouchesTheFirstCharacter) {
  EXPECT_EQ(Trimmed("", {}), "");
  EXPECT_EQ(Trimmed("\\", {}), "\\");
  EXPECT_EQ(Trimmed("x", {}), "x");
  EXPECT_EQ(Trimmed("\\\\", {}), "\\");
  EXPECT_EQ(Trimmed("\\\\server\\share", {}), "\\");
}

TEST(ChooseStartFrame, TakesBuiltInIdsAndFallsBackToTheDefault) {
  ExistingPaths = {};
  EXPECT_EQ(ChooseStartFrame(2000, "", FakePathExists), 2000u);
  EXPECT_EQ(ChooseStartFrame(2090, "", FakePathExists), 2090u);
  for (int32_t outOfRange : {1999, 2091, -2, 0, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(ChooseStartFrame(outOfRange, "", FakePathExists), static_cast<ImageSource>(FRAME_ID_DEFAULT))
        << outOfRange;
  }
}

TEST(ChooseStartFrame, ShowsTheCustomFrameFileOnlyWhenItExists) {
  const char* frame = "C:\\frames\\mine.png";
  ExistingPaths = {frame};
  EXPECT_EQ(ChooseStartFrame(FRAME_ID_CUSTOM, frame, FakePathExists), reinterpret_cast<ImageSource>(frame));
  ExistingPaths = {};
  EXPECT_EQ(ChooseStartFrame(FRAME_ID_CUSTOM, frame, FakePathExists), static_cast<ImageSource>(FRAME_ID_DEFAULT));
}

TEST(ChooseStartPhoto, ShowsTheStoredFileOnlyWhenItExists) {
  const char* photo = "C:\\me.jpg";
  ExistingPaths = {photo};
  EXPECT_EQ(ChooseStartPhoto(photo, FakePathExists), reinterpret_cast<ImageSource>(photo));
  ExistingPaths = {};
  EXPECT_EQ(ChooseStartPhoto(photo, FakePathExists), static_cast<ImageSource>(DEFAULT_PHOTO_ID));
  EXPECT_EQ(ChooseStartPhoto("", FakePathExists), static_cast<ImageSource>(DEFAULT_PHOTO_ID));
}

std::string Terminated(std::string bytes, size_t bufferSize, int* fits) {
  std::string buffer(bufferSize, '#');
  std::memcpy(buffer.data(), bytes.data(), std::min(bytes.size(), bufferSize));
  *fits = TerminateStringValue(buffer.data(), bufferSize, bytes.size());
  return buffer.c_str();
}

TEST(TerminateStringValue, AcceptsValuesWithAndWithoutTheirZero) {
  int fits = 0;
  EXPECT_EQ(Terminated("C:\\a", 256, &fits), "C:\\a");
  EXPECT_EQ(fits, 1);
  EXPECT_EQ(Terminated(std::string("C:\\a\0", 5), 256, &fits), "C:\\a");
  EXPECT_EQ(Terminated("", 256, &fits), "");
  EXPECT_EQ(fits, 1);
}

TEST(TerminateStringValue, TakesTheLongestStringThatFitsAndRefusesLonger) {
  int fits = 0;
  const std::string longest(255, 'p');
  EXPECT_EQ(Terminated(longest, 256, &fits), longest);
  EXPECT_EQ(Terminated(longest + '\0', 256, &fits), longest);
  EXPECT_EQ(fits, 1);
  EXPECT_EQ(Terminated(std::string(256, 'p'), 256, &fits), "");
  EXPECT_EQ(fits, 0);
  EXPECT_EQ(Terminated(std::string(4000, 'p'), 256, &fits), "");
  EXPECT_EQ(fits, 0);
}

}  // namespace
