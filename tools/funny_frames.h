// The sixteen "Funny" frames: everyday objects in their own colours, each
// with its photo hole where the object suggests one.
#pragma once
#include "raster.h"

constexpr int FUNNY_FRAME_COUNT = 16;

// index is the frame's place in its group, 0 "Apple" to 15 "Window 2".
RgbImage DrawFunnyFrame(int index);

// The objects drawn in funny_things.cpp.
RgbImage DrawComputer();
RgbImage DrawTelephone();
RgbImage DrawToiletPaper();
RgbImage DrawTelevision();
RgbImage DrawWindowWithTwoPanes();
RgbImage DrawArchedWindow();
