// PNG images as the texture loader decodes them.
#include "engine/render/image.h"
#include "fuzz/support/fuzz_one.h"

int fuzzOne(const uint8_t* data, size_t size) {
  auto* image = new engine::Image();
  if (image->initWithPngData(data, size)) {
    const int64_t pixels = int64_t{image->getWidth()} * image->getHeight();
    fuzzCheck(pixels > 0 && image->getDataLen() >= pixels, "a decoded image holds its pixels");
  }
  image->release();
  return 0;
}
