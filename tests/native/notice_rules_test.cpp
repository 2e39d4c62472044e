// The notice's words for every refusal and its place beside the frame.
#include <gtest/gtest.h>

#include <string>

#include "imaging/refusal.h"
#include "splash/notice_rules.h"

namespace {

std::string Notice(NoticeSubject subject, const char* path, RefusalRecord why, int files = 1) {
  char text[NOTICE_TEXT_SIZE];
  const int made = ComposeRefusalNotice(text, sizeof text, subject, path, why, files);
  return made ? text : "(none)";
}

TEST(NoticeRules, EachRefusalIsSaidInPlainWordsNamingTheFileOrFolder) {
  using enum Refusal;
  using enum NoticeSubject;
  const struct { NoticeSubject subject; const char* path; RefusalRecord why; int files; const char* said; } cases[] = {
      {PHOTO, "C:\\Pics\\a.jpg", {NOT_FOUND}, 1, "Cannot show \"a.jpg\": there is no such file."},
      {PHOTO, "C:\\Pics\\a.jpg", {UNREADABLE}, 1, "Cannot show \"a.jpg\": the file could not be read."},
      {PHOTO, "\\\\server\\share\\letter.jpg", {NOT_A_PICTURE}, 1, "Cannot show \"letter.jpg\": it is not a picture."},
      {PHOTO, "C:\\a\\cut.jpg", {DAMAGED}, 1, "Cannot show \"cut.jpg\": the picture is damaged."},
      {PHOTO, "C:\\wide.jpg", {TOO_LARGE, 30000, 20000}, 1,
       "Cannot show \"wide.jpg\": the picture is too large (30000 x 20000 pixels; at most 64 megapixels are taken)."},
      {PHOTO, "C:\\big.jpg", {TOO_LARGE}, 1, "Cannot show \"big.jpg\": the file is too large."},
      {PHOTO, "C:\\thin.png", {TOO_LARGE, 100000, 1}, 1,
       "Cannot show \"thin.png\": the picture is too large (100000 x 1 pixels; at most 64 megapixels are taken)."},
      {PHOTO, "C:\\x\\long.png", {PATH_TOO_LONG}, 1,
       "Cannot show \"long.png\": its path is too long (at most 259 characters are taken)."},
      {FRAME, "C:\\Pics\\photo.jpg", {NOT_A_FRAME}, 1,
       "Cannot use \"photo.jpg\" as a frame: a frame is a picture whose outside is pure green (0, 255, 0), with a "
       "hole of pure magenta (255, 0, 255) where the photo shows."},
      {FRAME, "C:\\f.png", {NOT_FOUND}, 1, "Cannot use \"f.png\" as a frame: there is no such file."},
      {FOLDER, "C:\\Pics\\Empty\\", {NO_PICTURES}, 1, "Cannot show the photos in \"Empty\": there are no pictures in it."},
      {FOLDER, "\\\\server\\gone", {NOT_FOUND}, 1, "Cannot show the photos in \"gone\": the folder cannot be reached."},
      {FOLDER, "D:\\", {UNREACHABLE}, 1, "Cannot show the photos in \"D:\\\": the folder cannot be reached."},
      {PHOTO, "C:\\b.txt", {NOT_A_PICTURE}, 3, "None of the 3 files can be shown. \"b.txt\": it is not a picture."},
      {PHOTO, "C:\\a.jpg", {NONE}, 1, "(none)"},
      {PHOTO, "C:\\a.jpg", {static_cast<Refusal>(99)}, 1, "(none)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Notice(c.subject, c.path, c.why, c.files), c.said) << c.path;
  EXPECT_EQ(RefusalOfOpenError(2), NOT_FOUND);
  EXPECT_EQ(RefusalOfOpenError(3), NOT_FOUND);
  EXPECT_EQ(RefusalOfOpenError(161), NOT_FOUND);
  EXPECT_EQ(RefusalOfOpenError(5), UNREADABLE) << "access denied";
  EXPECT_EQ(RefusalOfOpenError(32), UNREADABLE) << "in use";
}

TEST(NoticeRules, APatternIsFilledWholeOrNotAtAll) {
  const char* const args[] = {"one", "two"};
  char text[12];
  EXPECT_EQ(FillPattern(text, sizeof text, "%2-%1%3 %%9", args, 2), 1);
  EXPECT_STREQ(text, "two-one %9");
  EXPECT_EQ(FillPattern(text, 8, "%1 and %2", args, 2), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(FillPattern(text, 8, "1234567", args, 2), 1);
  EXPECT_EQ(FillPattern(text, 8, "12345678", args, 2), 0);
}

TEST(NoticeRules, ANoticeGoesBelowTheFrameOrAboveWhereNoRoomIsLeftAndStaysInTheWorkArea) {
  const NoticeBox work = {0, 0, 1000, 700};
  const struct { NoticeBox frame; NoticeBox placed; } cases[] = {
      {{100, 100, 300, 300}, {100, 306, 300, 356}},   // below, left edges aligned
      {{100, 600, 300, 690}, {100, 544, 300, 594}},   // above: no room below
      {{100, 544, 300, 644}, {100, 650, 300, 700}},   // below, ending just at the work area's foot
      {{900, 100, 1100, 300}, {800, 306, 1000, 356}}, // kept inside on the right
      {{-50, 100, 150, 300}, {0, 306, 200, 356}},     // and on the left
      {{100, 10, 300, 690}, {100, 650, 300, 700}},    // room neither side: over the frame's foot, inside
  };
  for (const auto& c : cases) {
    const NoticeBox placed = PlaceNotice(c.frame, 200, 50, work, 6);
    EXPECT_EQ((std::vector{placed.left, placed.top, placed.right, placed.bottom}),
              (std::vector{c.placed.left, c.placed.top, c.placed.right, c.placed.bottom}));
  }
}

}  // namespace
