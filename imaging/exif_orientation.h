// Phone cameras store pictures as the sensor saw them and note in the EXIF
// orientation tag (1 to 8) how to turn them; photos are shown upright.
#pragma once
#include <cstddef>
#include <cstdint>

// The orientation tag of an APP1 segment's payload ("Exif\0\0" and a TIFF
// structure); 1 (as stored) when there is none or it is malformed.
int ReadExifOrientation(const uint8_t* payload, size_t size);

// Orientations 5 to 8 turn the picture by a quarter: width and height swap.
int OrientationSwapsSides(int orientation);

// Writes the upright picture of a width × height one stored with the given
// orientation; the destination is height × width when the sides swap.
void OrientPixels(const uint32_t* source, int width, int height, int orientation, uint32_t* destination);
