// The committed picture corpus (tests/corpus, each file described in its
// README) and the decoded pixels of its pictures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/image_loader.h"
#include "imaging/key_colors.h"

using Pixels = std::vector<uint32_t>;

// A corpus file by its name under tests/corpus, e.g. "images/keys.png".
inline std::string CorpusFile(const char* name) { return CHERIMO_CORPUS_DIR "/" + std::string(name); }

// Every bad file, a folder and a missing path: none of them a picture.
inline const char* const BAD_FILES[] = {"bad/empty.jpg",  "bad/truncated.png", "bad/truncated.jpg",
                                        "bad/letter.jpg", "bad/absurd.png",    "bad/empty.gif",
                                        "bad/huge.png",   "bad/wide.jpg",      "bad",
                                        "bad/missing.jpg"};

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
inline int ShapeErrors(HWND window, const uint32_t* keys, int width, int height) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  int wrong = GetWindowRgn(window, region) == ERROR;
  for (int i = 0; i < width * height; ++i) {
    wrong += (PtInRegion(region, i % width, i / width) != 0) != (keys[i] != OUTSIDE_KEY);
  }
  DeleteObject(region);
  return wrong;
}

// A corpus picture as the loader reads it; empty when it cannot.
inline Picture Decoded(const char* name) {
  const std::string path = CorpusFile(name);
  return DecodeImage(reinterpret_cast<ImageSource>(path.c_str()), nullptr) ? LoaderPicture() : Picture{};
}
