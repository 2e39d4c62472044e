// The menu's thumbnails of the built-in frames, made here once so that the
// program need not decode 91 frames at start: one sheet per check-mark size.
#pragma once
#include <string>
#include <vector>

#include "contact_sheet.h"

// Writes <folder>/<size>.png for every size from 1 to the largest the program
// looks for. A sheet is 91 cells of size × size side by side, the frames in id
// order; its top half holds each frame's area average with the keys black,
// its bottom half the average of its key mask (white where the frame is key),
// so that the program mixes in the menu colour exactly.
void WriteThumbnailSheets(const std::string& folder, const std::vector<CatalogueEntry>& frames);
