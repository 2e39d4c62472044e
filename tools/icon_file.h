// Writes a Windows .ico holding one picture as a 16-colour and as a
// 256-colour image, each with its own palette and transparency mask.
#pragma once
#include <string>

#include "small_pictures.h"

void WriteIcon(const std::string& path, const IconArt& art);
