// The slideshow's rules: name order, the kept first names, random rounds,
// when a change may happen and the stored set's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/path_list_rules.h"
#include "framewindow/slide_order.h"

namespace {

std::string Joined(const SlideList& list) {
  std::string text;
  for (int i = 0; i < list.count; ++i) text += std::string(SlideAt(list, i)) + "|";
  return text;
}

// Names sort as Explorer sorts them. Then more names than the list holds, long
// enough that replaced ones must make room: the SLIDES_MAX first in name order
// stay, whatever order they came in.
TEST(SlideOrder, NamesSortAsExplorerSortsThemAndAFullListKeepsTheFirstNames) {
  auto list = std::make_unique<SlideList>();
  ClearSlides(*list);
  for (const char* name : {"img_10.jpg", "IMG_2.jpg", "img_1.jpg", "b.png", "A.png", "img_02.jpg", "img_2b.jpg",
                           "x99999999999999999999.gif", "x100000000000000000000.gif", "\xC3\xA9t\xC3\xA9.jpg", "10.jpg",
                           "9.jpg", "a.png.bmp"}) {
    EXPECT_EQ(AddSlide(*list, name), 1) << name;
  }
  SortSlides(*list);
  EXPECT_EQ(Joined(*list), "9.jpg|10.jpg|A.png|a.png.bmp|b.png|img_1.jpg|IMG_2.jpg|img_02.jpg|img_2b.jpg|img_10.jpg|"
                           "x99999999999999999999.gif|x100000000000000000000.gif|\xC3\xA9t\xC3\xA9.jpg|");
  EXPECT_EQ(AddSlide(*list, ""), 0);
  EXPECT_EQ(AddSlide(*list, std::string(PATH_BUFFER_SIZE, 'p').c_str()), 0);

  ClearSlides(*list);
  const std::string padding(PATH_BUFFER_SIZE - 20, 'n');
  std::vector<int> numbers(3 * SLIDES_MAX);
  for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<int>((i * 7919) % numbers.size());
  for (int number : numbers) AddSlide(*list, (padding + std::to_string(number)).c_str());
  SortSlides(*list);
  ASSERT_EQ(list->count, SLIDES_MAX);
  for (int i = 0; i < SLIDES_MAX; ++i) ASSERT_EQ(SlideAt(*list, i), padding + std::to_string(i)) << i;
}

TEST(SlideOrder, TheStoredSetIsTakenWholeOnlyWhenEveryPathIsFull) {
  using namespace std::string_literals;
  const std::string tooLong = "C:\\" + std::string(PATH_BUFFER_SIZE - 3, 'p');
  const struct { std::string bytes; const char* taken; } cases[] = {
      {"C:\\a.jpg\0\\\\pc\\share\\b.jpg\0"s, "C:\\a.jpg|\\\\pc\\share\\b.jpg|"}, {"C:\\a.jpg\0"s, "C:\\a.jpg|"},
      {""s, ""}, {"\0"s, ""}, {"\0\0"s, ""}, {"C:\\a.jpg"s, ""}, {"C:\\a.jpg\0\0\0"s, ""}, {"C:a.jpg\0"s, ""},
      {"C:\\a.jpg\0a.jpg\0"s, ""}, {"\\a.jpg\0"s, ""}, {tooLong + "\0"s, ""}, {"C:\\a.jpg\0\0C:\\b.jpg\0"s, ""}};
  auto list = std::make_unique<SlideList>();
  for (const auto& c : cases) {
    std::string bytes = c.bytes + '\0';
    EXPECT_EQ(UnpackSlides(bytes.data(), c.bytes.empty() ? 0 : bytes.size(), *list), c.taken[0] != '\0') << c.bytes;
    EXPECT_EQ(Joined(*list), c.taken) << c.bytes;
  }
  // A set packs again to the same bytes when they fit exactly, and not at all with a byte less.
  const std::string set = "C:\\a.jpg\0\\\\pc\\b.jpg\0\0"s;
  ASSERT_EQ(UnpackSlides(set.data(), set.size(), *list), 1);
  std::string packed(SLIDE_FILES_VALUE_MAX, '#');
  const size_t packedSize = PackSlides(*list, packed.data(), set.size());
  EXPECT_EQ(std::pair(packedSize, packed.substr(0, set.size())), std::pair(set.size(), set));
  EXPECT_EQ(PackSlides(*list, packed.data(), set.size() - 1), 0u) << "no room for the end";
  // One more path than the list holds is refused (the fuzzing packs every set taken again).
  size_t size = 0;
  for (int i = 0; i <= SLIDES_MAX; ++i) {
    ASSERT_TRUE(AppendPackedSlide(packed.data(), size, packed.size(), ("C:\\" + std::to_string(i)).c_str()));
  }
  EXPECT_EQ(UnpackSlides(packed.data(), size, *list), 0);
}

TEST(SlideOrder, PicturesAreNamedByTheirExtension) {
  const char* extensions = ".jpg;.jpeg;.heic;.ico";
  const struct { const char* name; int picture; } cases[] = {
      {"C:\\a.JPG", 1}, {"a.jpeg", 1}, {"c:\\a.heic", 1}, {"\\\\pc\\s\\a.ico", 1}, {"a.jpg.txt", 0}, {"C:\\a.jp", 0},
      {"C:\\a.jpegx", 0}, {"C:\\a", 0}, {".jpg", 1}, {"C:\\x.jpg\\a", 0}, {"C:\\a.", 0}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(HasListedExtension(c.name, extensions), c.picture) << c.name;
}

// Every round holds each photo once and never starts with the one just shown.
TEST(SlideOrder, RandomRoundsShowEachPhotoOnceAndNeverRepeatAtTheSeam) {
  std::vector<std::vector<int>> firstRounds;
  for (uint32_t seed = 0; seed < 500; ++seed) {
    uint32_t state = seed;
    const int count = 1 + static_cast<int>(seed % 9);
    int order[9], shown = -1;
    for (int round = 0; round < 20; ++round) {
      ShuffleRound(order, count, shown, state);
      std::vector<int> sorted(order, order + count);
      if (round == 0 && count == 8) firstRounds.push_back(sorted);
      std::sort(sorted.begin(), sorted.end());
      for (int i = 0; i < count; ++i) ASSERT_EQ(sorted[i], i) << seed;
      ASSERT_TRUE(count == 1 || order[0] != shown) << seed;
      shown = order[count - 1];
    }
  }
  std::sort(firstRounds.begin(), firstRounds.end());
  EXPECT_GT(std::unique(firstRounds.begin(), firstRounds.end()) - firstRounds.begin(), 50) << "seeds give other orders";
}

// Hidden, minimised, the pointer on it, a drag, the menu, a dialog: each alone holds the change.
TEST(SlideOrder, APhotoChangesOnlyWhenNobodyIsAtWorkOnTheWindow) {
  for (int held = -1; held < 6; ++held) {
    bool c[6] = {true, false, false, false, false, false};
    if (held >= 0) c[held] = !c[held];
    EXPECT_EQ(SlideMayChange({c[0], c[1], c[2], c[3], c[4], c[5]}), held < 0) << held;
  }
}

}  // namespace
