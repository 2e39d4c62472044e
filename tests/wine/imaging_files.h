// The committed picture corpus (tests/corpus, each file described in its
// README) and the decoded pixels of its pictures.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_loader.h"
#include "imaging/key_colors.h"
#include "imaging/refusal.h"

using Pixels = std::vector<uint32_t>;

// A corpus file by its name under tests/corpus, e.g. "images/keys.png".
inline std::string CorpusFile(const char* name) { return CHERIMO_CORPUS_DIR "/" + std::string(name); }

// Every bad file, a folder and a missing path: none of them a picture, each
// refused for its own reason.
struct BadFile {
  const char* name;
  Refusal reason;
};
inline const BadFile BAD_FILES[] = {
    {"bad/empty.jpg", Refusal::NOT_A_PICTURE}, {"bad/truncated.png", Refusal::DAMAGED},
    {"bad/truncated.jpg", Refusal::DAMAGED},   {"bad/letter.jpg", Refusal::NOT_A_PICTURE},
    {"bad/absurd.png", Refusal::TOO_LARGE},    {"bad/empty.gif", Refusal::DAMAGED},
    {"bad/huge.png", Refusal::TOO_LARGE},      {"bad/wide.jpg", Refusal::TOO_LARGE},
    {"bad", Refusal::NOT_A_PICTURE},           {"bad/missing.jpg", Refusal::NOT_FOUND}};

struct Picture {
  int32_t width = 0, height = 0;
  Pixels pixels;
  bool operator==(const Picture&) const = default;
};
inline Picture LoaderPicture() {
  return {LoaderWidth, LoaderHeight,
          Pixels(LoaderPixels, LoaderPixels + static_cast<size_t>(LoaderWidth) * LoaderHeight)};
}

// Pixels where a window's region disagrees with its keys: it holds exactly those that are not the outside key.
// Keys of another size are scaled to the window's (width x height), and a pixel next to their edge may differ.
inline int ShapeErrors(HWND window, const uint32_t* keys, int keysWide, int keysHigh, int width = 0, int height = 0) {
  width = width ? width : keysWide, height = height ? height : keysHigh;
  const bool scaled = width != keysWide || height != keysHigh;
  const auto inside = [&](int x, int y) {
    return keys[std::clamp(y, 0, keysHigh - 1) * keysWide + std::clamp(x, 0, keysWide - 1)] != OUTSIDE_KEY;
  };
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int wrong = GetWindowRgn(window, region) == ERROR;
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width * keysWide / width, y = i / width * keysHigh / height;
    bool edge = false;
    for (int d = 0; d < 9 && scaled; ++d) edge = edge || inside(x - 1 + d % 3, y - 1 + d / 3) != inside(x, y);
    wrong += (PtInRegion(region, i % width, i / width) != 0) != inside(x, y) && !edge;
  }
  DeleteObject(region);
  return wrong;
}

// A corpus picture as the loader reads it; empty when it cannot.
inline Picture Decoded(const char* name) {
  const std::string path = CorpusFile(name);
  return DecodeImage(reinterpret_cast<ImageSource>(path.c_str()), nullptr) ? LoaderPicture() : Picture{};
}
