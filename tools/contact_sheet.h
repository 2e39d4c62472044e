// An overview of every built-in frame with its id and name, the default
// photo showing in each hole.
#pragma once
#include <string>
#include <vector>

#include "raster.h"

struct CatalogueEntry {
  int id;
  std::string group, name;
  RgbImage frame;
};

void WriteContactSheet(const std::string& path, const std::vector<CatalogueEntry>& frames, const RgbImage& photo);
