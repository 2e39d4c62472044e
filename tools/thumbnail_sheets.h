// The menu's thumbnails of the built-in frames, made here once so that the
// program need not decode a group's frames when its submenu opens: one sheet
// per check-mark size of the common display scales.
#pragma once
#include <string>
#include <vector>

#include "contact_sheet.h"

// Writes <folder>/<size>.png for every size of FRAME_THUMBNAIL_SHEET_SIZES. A sheet is 91 cells of size × size side by side, the frames in id
// order; its top half holds each frame's area average with the keys black,
// its bottom half the average of its key mask (white where the frame is key),
// so that the program mixes in the menu colour exactly.
void WriteThumbnailSheets(const std::string& folder, const std::vector<CatalogueEntry>& frames);
