// Every picture enters through DecodeImage: a file or an "R" resource,
// decoded by the platform into the one shared LoaderSurface.
#pragma once
#include <windows.h>

#include <cstdint>

#include "app/ids.h"
#include "imaging/refusal.h"
#include "imaging/surface.h"

// The last decoded picture, upright, 32-bit top-down, fourth bytes zero.
// Read it right after a successful DecodeImage; the next decode replaces it.
extern Surface LoaderSurface;
extern int32_t LoaderWidth, LoaderHeight;
extern uint32_t* LoaderPixels;

// Decodes a file path (source above 0xFFFF) or an "R" resource of this
// executable (1 to 0xFFFF) with the Windows Imaging Component, or with OLE
// picture loading where the Imaging Component refuses the data (metafiles). `reference` gives the pixel
// density of pictures with a physical size (a null one means the screen's).
// 1 with the picture in the LoaderSurface; 0 and nothing changed when the
// source cannot be read or decoded or the picture is too large, and then
// LoaderRefusal says why.
int DecodeImage(ImageSource source, HDC reference);
extern RefusalRecord LoaderRefusal;

// Moves the LoaderSurface into `target`, leaving the loader empty.
void TakeLoaderSurface(Surface& target);
