#pragma once

// Baseline JPEG files through libjpeg: writing the pictures, and reading them back whole
// to prove that a file decodes.

#include <string>

#include "Raster.h"

namespace pictures {

// Throws std::runtime_error naming the path on any failure.
void WriteJpeg(const std::string& path, const Canvas& canvas, int quality);

struct DecodedSize {
  int width = 0;
  int height = 0;
  int components = 0;
};

// Decodes every scan line; throws std::runtime_error with libjpeg's own text on failure.
DecodedSize DecodeJpeg(const std::string& path);

}  // namespace pictures
