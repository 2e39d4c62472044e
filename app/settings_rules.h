// The settings store's rules on plain values, apart from the registry.
#pragma once
#include <cstddef>
#include <cstdint>
#include "app/ids.h"
#include "app/settings.h"

using PathExistsFunction = int (*)(const char* path);

// Cuts trailing backslashes, then whole path components from the end, until
// the string names something that exists; the first character always stays.
void TrimToExistingFolder(char* path, PathExistsFunction pathExists);

// The frame to show at start: the stored id when it is a built-in frame, the
// custom frame file when FrameID is -1 and the file exists, else the default.
ImageSource ChooseStartFrame(int32_t frameId, const char* framePath, PathExistsFunction pathExists);

// The photo to show at start: the stored file when it exists, else the default photo.
ImageSource ChooseStartPhoto(const char* photoPath, PathExistsFunction pathExists);

// The subkey of a further ornament, numbered 2 to ORNAMENTS_MAX: "Ornament 2"
// and on. 0, with nothing written, for another number or a buffer too small.
constexpr size_t ORNAMENT_KEY_NAME_SIZE = 12;
int OrnamentKeyName(int number, char* name, size_t size);

// Turns the characters (bytes or UTF-16 units) of a string value read into a
// buffer of bufferSize characters into a terminated string. Values carry no
// terminating zero, but another tool (or the registry layer itself) may have
// added one. Returns 0, with the string emptied, when the value does not fit.
template <typename Unit>
int TerminateStringValue(Unit* buffer, size_t bufferSize, size_t read);

// 1 when a path is one the program could have stored itself: valid UTF-8,
// and no longer than Windows takes.
int IsStorablePath(const char* text);

// An even value becomes 1 and an odd one 0, so 0 and 1 swap; returns it.
int32_t ToggleSetting(int32_t& setting);

// Brings numbers that no run of the program stores (another tool's, or a
// damaged registry's) back into range; values in range stay as they are.
// Options other than the tray icon keep any value (a toggle turns an even
// one into 1); the tray icon, shown unless 0, becomes 1; the show state
// becomes shown; window sides go into 32 to 256, the resize steps' own limits, with the
// edges where that fits; zoom sides go into 1 to the largest picture side and pan
// into the same distance either way; a slideshow interval that is no choice of
// the menu becomes the default, and the random order is on only when 1.
void KeepLoadedSettingsInRange(SettingsTable& settings);
