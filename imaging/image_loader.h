// Every picture enters through DecodePicture: a file or an "R" resource,
// decoded by the platform. The window's thread may use DecodeImage, which
// decodes into the one shared LoaderSurface.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/ids.h"
#include "imaging/refusal.h"
#include "imaging/surface.h"

// A decoded picture: upright, 32-bit top-down, fourth bytes zero.
struct DecodedPicture {
  Surface surface;
  int32_t width = 0, height = 0;
  uint32_t* pixels = nullptr;
};

// Decodes a file path (source above 0xFFFF) or an "R" resource of this
// executable (1 to 0xFFFF) into `decoded`; any thread may call it. A file's
// first bytes are checked before the rest, and the decoder reads the file
// itself. 0, with `decoded` unchanged, when the source cannot be read or
// decoded or the picture is too large, and `refusal` says why.
int DecodePicture(ImageSource source, HDC reference, DecodedPicture& decoded, RefusalRecord& refusal);

// The last decoded picture, upright, 32-bit top-down, fourth bytes zero.
// Read it right after a successful DecodeImage; the next decode replaces it.
extern Surface LoaderSurface;
extern int32_t LoaderWidth, LoaderHeight;
extern uint32_t* LoaderPixels;

// DecodePicture into the LoaderSurface, for the window's thread alone: the
// Windows Imaging Component decodes, or OLE picture loading where it refuses
// the data (metafiles). `reference` gives the pixel density of pictures with
// a physical size (a null one means the screen's). 1 with the picture in the
// LoaderSurface; 0 and nothing changed otherwise, and LoaderRefusal says why.
int DecodeImage(ImageSource source, HDC reference);
extern RefusalRecord LoaderRefusal;

// Moves the LoaderSurface into `target`, leaving the loader empty.
void TakeLoaderSurface(Surface& target);
