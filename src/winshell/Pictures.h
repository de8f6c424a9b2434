#pragma once

// JPEG pictures decoded by the platform (GDI+), from a file or from the program's own
// resources, and drawn scaled into a control.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace Gdiplus {
class Bitmap;
}

namespace velmora {

struct BitmapDeleter {
  void operator()(Gdiplus::Bitmap* bitmap) const;
};
using PictureImage = std::unique_ptr<Gdiplus::Bitmap, BitmapDeleter>;

// The picture in bytes, fully decoded; throws with name and the reason when it cannot be.
PictureImage DecodePicture(const std::vector<std::uint8_t>& bytes, const std::string& name);

// The file's picture: its read errors are the core's, its decoding errors name the file.
PictureImage LoadPictureFile(const std::filesystem::path& path);

// The built-in picture of that file name ("guitare.jpg"), or none when it was not built in.
PictureImage BuiltinPictureImage(std::string_view file);

// Draws the picture as large as fits in rect, centred, keeping its proportions.
void DrawPicture(HDC dc, const RECT& rect, Gdiplus::Bitmap& image);

// Starts and ends GDI+ for the life of the program.
class PictureDecoder {
 public:
  PictureDecoder();
  ~PictureDecoder();
  PictureDecoder(const PictureDecoder&) = delete;
  PictureDecoder& operator=(const PictureDecoder&) = delete;

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace velmora
