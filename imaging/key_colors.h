// The two key colours of a frame image and the pixel rules around them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/reduce.h"

// Pixel values 0x00RRGGBB, matched as whole values: a key with a non-zero
// fourth byte is no key.
constexpr uint32_t OUTSIDE_KEY = 0x0000FF00;  // pure green: not part of the window
constexpr uint32_t PHOTO_KEY = 0x00FF00FF;    // pure magenta: the photo shows here

// Overwrites every pixel that is exactly one of the keys with `value`.
void ReplaceKeyColors(uint32_t* pixels, int width, int height, uint32_t value);

// 1 when some pixel is not the outside key: a frame without one shows nothing.
int AnyPixelInside(const uint32_t* pixels, size_t count);

// 1 when at least a sixteenth of the pixels are key colours: enough for an
// outline or a photo hole. A photo has almost none (every built-in frame has
// more than two thirds), so one chosen as a frame is refused.
int HasFrameKeys(const uint32_t* pixels, size_t count);

// 1 when a square key image keeps a pixel that is not the outside key at every
// window side the program allows, reduced by the AND rule as the window's
// outline is. There white, yellow and cyan (green byte 255) beside the
// outside key become it, so thin light lines can vanish; a pixel whose green
// byte is below 255 keeps its block inside at every size, and larger windows
// repeat pixels. 0 also when out of memory.
int ShowsAtEveryWindowSide(const uint32_t* keys, int side);

// A frame's area average with its keys replaced by `value`, from two
// averages that do not depend on it: `art`, of the frame with its keys black,
// and `keyShare`, of its key mask (255 in each channel where the area is all
// key; the lowest byte is read). Fourth bytes come out 0.
void MixKeyShare(const uint32_t* art, const uint32_t* keyShare, uint32_t* mixed, int count, uint32_t value);

// The columns of each row of a window-sized key image where the composition
// holds the photo: over the photo key, and wherever the icon made from the
// composition may read it. The icon takes the average of a block of the
// composition where the AND of the block's keys is the photo key, so every key
// there has the photo key's bits; that average also weighs in part the pixel
// left of and above the block. So a row spans its own and the next row's
// pixels with those bits, and one pixel left of them. Elsewhere the artwork
// or the outside key covers the photo.
void PhotoSpans(const uint32_t* keys, int width, int height, RowSpan* spans);

// Decoders write 0xFF into the fourth byte; the pixel format wants it 0.
void ClearFourthBytes(uint32_t* pixels, size_t count);

// Premultiplied pixels with their alpha in the fourth byte laid over white,
// as a print shows a transparent picture; fourth bytes come out 0.
void FlattenOntoWhite(uint32_t* pixels, size_t count);

// Rows of 24-bit blue-green-red pixels, each at the start of a row of
// width * 4 bytes, widened in place into the 32-bit pixel format.
void WidenBgrRows(uint8_t* rows, int width, int height);
