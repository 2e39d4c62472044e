// The built-in frames: their groups, names and ids, stored as one constant
// byte table that the frame menu walks once.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// The table does not store how many groups it holds; its readers know.
constexpr int FRAME_GROUP_COUNT = 6;
constexpr size_t FRAME_CATALOGUE_SIZE = 813;

// Group after group: a 32-bit little-endian frame count, the group's name,
// then that many frame names, each zero-terminated, with nothing in between.
// Frame ids run on from FRAME_ID_FIRST in table order across the groups.
extern const std::array<unsigned char, FRAME_CATALOGUE_SIZE> FrameCatalogue;

// What a walk calls for each group and each frame, with its own context.
// firstId is the id of the group's first frame.
struct FrameCatalogueWalk {
  void* context;
  void (*group)(void* context, const char* name, int32_t firstId, uint32_t count);
  void (*frame)(void* context, int32_t id, const char* name);
};

// Visits FRAME_GROUP_COUNT groups of the table in order. Once the ids pass
// FRAME_ID_LAST the read position stays on the last frame's name, so a count
// larger than the table repeats that name rather than reading on, though
// never for more frames in all than the table has bytes. The walk stops
// early instead of reading past `size` when the table is cut short.
void WalkFrameCatalogue(const unsigned char* table, size_t size, const FrameCatalogueWalk& walk);
