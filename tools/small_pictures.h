// The pictures that are not frames: default photo, splash, hint and the
// program icon's artwork.
#pragma once
#include "raster.h"

constexpr int PHOTO_WIDTH = 87, PHOTO_HEIGHT = 127;
constexpr int SPLASH_WIDTH = 190, SPLASH_HEIGHT = 152;
constexpr int HINT_WIDTH = 286, HINT_HEIGHT = 48;

RgbImage DrawDefaultPhoto();
// Pure green outside the heart, hard-edged.
RgbImage DrawSplash();
RgbImage DrawHint();

// The program icon at one size: colours at full strength and their alpha.
struct IconArt {
  RgbImage colour;
  Grid<uint8_t> alpha;
};
// Lines and insets are whole pixels at every size, so the small ones stay crisp.
IconArt DrawIconArt(int size);

// Sets a font of the DejaVu family that fontconfig provides on the build machine.
void SelectFont(cairo_t* cr, const char* family, bool bold, double size);
