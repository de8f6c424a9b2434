#pragma once

// Every picture the program can ask for, with its size and how to draw it.

#include <functional>
#include <string>
#include <vector>

#include "Raster.h"

namespace pictures {

struct PictureFile {
  std::string path;  // relative to the images folder, "/" separated
  int width = 0;
  int height = 0;
  std::function<Canvas()> draw;
};

// The guitar table's pictures (one per bank and file name), the fallback, the selector and
// pickup pictures, then the built-in start pictures.
std::vector<PictureFile> AllPictures();

}  // namespace pictures
