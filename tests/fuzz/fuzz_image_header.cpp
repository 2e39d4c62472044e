// Any bytes as the start of an image file: the header reader stays inside
// them and reports an orientation the pixel turner knows.
#include <cstddef>
#include <cstdint>

#include "imaging/image_header.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ImageHeader header = ReadImageHeader(data, size);
  Require(header.orientation >= 1 && header.orientation <= 8, "orientation is 1 to 8");
  Require(!ImageSizeAllowed(header.width, header.height) ||
              (header.width > 0 && header.height > 0 && header.width * header.height <= MAX_IMAGE_PIXELS),
          "an allowed picture has both sides and fits the pixel limit");
  return 0;
}
