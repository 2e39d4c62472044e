// The picture extensions as one list on a plain buffer: ";"-separated, in
// lower case, each with its dot and listed once (".jpg;.jpeg;.png"), in a
// buffer of fixed capacity.
#pragma once
#include <cstddef>

#include "app/utf_text.h"

// Longer extensions are none a decoder means: they are passed over whole.
constexpr size_t EXTENSION_MAX = 61;

// Adds each extension of `extensions`, separated by "," or ";" as decoders name
// them (".JPEG,.jpg"), in lower case and with blanks and anything but ASCII left
// out, to the zero-terminated `list` in `capacity` bytes. An extension without
// its dot or longer than EXTENSION_MAX, one listed already and one that does not
// fit whole with its separator and the zero are passed over; nothing is written
// past the capacity.
void AddExtensionList(char* list, size_t capacity, const char* extensions);
void AddExtensionList(char* list, size_t capacity, const Utf16Unit* extensions);
