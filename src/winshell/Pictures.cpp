#include "winshell/Pictures.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include <objidl.h>
// GDI+'s headers use min and max unqualified, as windows.h once gave them.
using std::max;
using std::min;
#include <gdiplus.h>

#include "surface/files/PictureFile.h"
#include "winshell/Utf16.h"

namespace velmora {

namespace {

std::string StatusName(Gdiplus::Status status) {
  switch (status) {
    case Gdiplus::GenericError:
      return "GenericError";
    case Gdiplus::InvalidParameter:
      return "InvalidParameter";
    case Gdiplus::OutOfMemory:
      return "OutOfMemory";
    case Gdiplus::UnknownImageFormat:
      return "UnknownImageFormat";
    default:
      return "status " + std::to_string(static_cast<int>(status));
  }
}

[[noreturn]] void DecodeFailed(const std::string& name, Gdiplus::Status status) {
  throw std::runtime_error(name + ": not a readable JPEG picture (GDI+ " +
                           std::to_string(static_cast<int>(status)) + ", " + StatusName(status) +
                           ")");
}

// A stream over a copy of the bytes; the stream owns its memory.
IStream* MemoryStream(const std::vector<std::uint8_t>& bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(bytes.size(), 1));
  if (memory == nullptr) {
    return nullptr;
  }
  if (!bytes.empty()) {
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
    GlobalFree(memory);
    return nullptr;
  }
  return stream;
}

}  // namespace

void BitmapDeleter::operator()(Gdiplus::Bitmap* bitmap) const {
  delete bitmap;
}

PictureImage DecodePicture(const std::vector<std::uint8_t>& bytes, const std::string& name) {
  IStream* stream = MemoryStream(bytes);
  if (stream == nullptr) {
    DecodeFailed(name, Gdiplus::OutOfMemory);
  }
  // GDI+ decodes lazily from the stream: draw the whole picture into a bitmap of our own
  // now, so a damaged file fails here, with its name, and the stream can go.
  Gdiplus::Status status = Gdiplus::Ok;
  PictureImage copy;
  {
    Gdiplus::Bitmap source(stream);
    status = source.GetLastStatus();
    const UINT width = status == Gdiplus::Ok ? source.GetWidth() : 0;
    const UINT height = status == Gdiplus::Ok ? source.GetHeight() : 0;
    if (status == Gdiplus::Ok && (width == 0 || height == 0)) {
      status = Gdiplus::GenericError;
    }
    if (status == Gdiplus::Ok) {
      copy.reset(new Gdiplus::Bitmap(static_cast<INT>(width), static_cast<INT>(height),
                                     PixelFormat24bppRGB));
      Gdiplus::Graphics canvas(copy.get());
      status = canvas.DrawImage(&source, 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    }
  }
  stream->Release();
  if (status != Gdiplus::Ok) {
    DecodeFailed(name, status);
  }
  return copy;
}

PictureImage LoadPictureFile(const std::filesystem::path& path) {
  return DecodePicture(ReadPictureFile(path), PathText(path));
}

PictureImage BuiltinPictureImage(std::string_view file) {
  // Resource names are the file names without ".jpg", in capitals.
  std::string name(file.substr(0, file.rfind('.')));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  HRSRC found = FindResourceW(nullptr, ToUtf16(name).c_str(), RT_RCDATA);
  HGLOBAL loaded = found == nullptr ? nullptr : LoadResource(nullptr, found);
  const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (data == nullptr) {
    return {};
  }
  return DecodePicture({data, data + SizeofResource(nullptr, found)}, std::string(file));
}

void DrawPicture(HDC dc, const RECT& rect, Gdiplus::Bitmap& image) {
  const double width = rect.right - rect.left;
  const double height = rect.bottom - rect.top;
  const double scale = std::min(width / image.GetWidth(), height / image.GetHeight());
  const INT shownWidth = static_cast<INT>(image.GetWidth() * scale + 0.5);
  const INT shownHeight = static_cast<INT>(image.GetHeight() * scale + 0.5);
  Gdiplus::Graphics graphics(dc);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.DrawImage(&image, rect.left + (static_cast<INT>(width) - shownWidth) / 2,
                     rect.top + (static_cast<INT>(height) - shownHeight) / 2, shownWidth,
                     shownHeight);
}

PictureDecoder::PictureDecoder() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

PictureDecoder::~PictureDecoder() {
  Gdiplus::GdiplusShutdown(token_);
}

}  // namespace velmora
