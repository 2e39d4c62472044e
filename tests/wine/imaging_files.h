// Picture files the imaging tests make for themselves: frames with key
// colours, photos in every accepted format, and a corpus of bad files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

// A folder under the temporary folder, deleted with everything in it.
struct TempFolder {
  std::string path;
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  std::string File(const char* name) const { return path + "\\" + name; }
};

bool WriteBytes(const std::string& path, const Bytes& bytes);

// A frame: pure green outside a circle, pure magenta inside a smaller one,
// artwork in the ring between (with one near-green pixel at its top).
Pixels MakeFramePixels(int width, int height);
// A photo: four coloured quadrants with a gradient in the last one.
Pixels MakePhotoPixels(int width, int height);

// Encoders. Pixels are 0x00RRGGBB, top row first.
Bytes EncodeBmp(int width, int height, const Pixels& pixels);
Bytes EncodePng(int width, int height, const Pixels& pixels);
// A valid black RGB PNG of any size with a small, hand-deflated body.
Bytes EncodeBlackPng(uint32_t width, uint32_t height);
// Up to 256 colours.
Bytes EncodeGif(int width, int height, const Pixels& pixels);
Bytes EncodeIco(int side, const Pixels& pixels);
// Through the platform's JPEG encoder; with an EXIF orientation other than 0
// an APP1 segment carrying it follows the start marker.
Bytes EncodeJpeg(int width, int height, const Pixels& pixels, int orientation = 0);
// A metafile of one filled rectangle, an inch square.
bool WriteEmf(const std::string& path, COLORREF color);

// The bad files, each with a name for messages.
struct BadFile {
  std::string name;
  std::string path;
};
std::vector<BadFile> MakeBadFiles(const TempFolder& folder);
