// The five material groups: the same fifteen shapes in cork, marble, metal,
// rattan and wood.
#pragma once
#include "frame_render.h"

enum class Material { Cork, Marble, Metal, Rattan, Wood };
constexpr int MATERIAL_SHAPE_COUNT = 15;

// shapeIndex is the shape's place in its group, 0 "Circle" to 14 "Star 12".
FrameShape MaterialFrameShape(int shapeIndex);
RgbImage DrawMaterialFrame(Material material, int shapeIndex);
