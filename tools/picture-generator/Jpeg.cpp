#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace pictures {
namespace {

// libjpeg reports fatal errors through a callback that must not return; jumping back keeps
// C++ exceptions from unwinding through C frames.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Open(const std::string& path, const char* mode) {
  File file(std::fopen(path.c_str(), mode));
  if (!file) {
    throw std::runtime_error("cannot open \"" + path + "\"");
  }
  return file;
}

// Returns an empty text on success, else libjpeg's message.
std::string Compress(std::FILE* out, const std::vector<unsigned char>& rgb, int width, int height,
                     int quality) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return errors.message;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(rgb.data()) +
                   static_cast<std::size_t>(info.next_scanline) * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return {};
}

std::string Decompress(std::FILE* in, DecodedSize& size) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return errors.message;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, in);
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  size = {static_cast<int>(info.output_width), static_cast<int>(info.output_height),
          info.output_components};
  std::vector<unsigned char> row(static_cast<std::size_t>(info.output_width) *
                                 info.output_components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
  }
  jpeg_finish_decompress(&info);
  // A truncated file decodes with a warning only; a checked picture must be whole.
  const bool truncated = info.err->num_warnings > 0;
  jpeg_destroy_decompress(&info);
  return truncated ? "corrupt or truncated data" : "";
}

}  // namespace

void WriteJpeg(const std::string& path, const Canvas& canvas, int quality) {
  File out = Open(path, "wb");
  const std::string error =
      Compress(out.get(), canvas.Bytes(), canvas.Width(), canvas.Height(), quality);
  if (!error.empty()) {
    throw std::runtime_error(path + ": " + error);
  }
  if (std::fflush(out.get()) != 0 || std::ferror(out.get())) {
    throw std::runtime_error(path + ": write failed");
  }
}

DecodedSize DecodeJpeg(const std::string& path) {
  File in = Open(path, "rb");
  DecodedSize size;
  const std::string error = Decompress(in.get(), size);
  if (!error.empty()) {
    throw std::runtime_error(path + ": " + error);
  }
  return size;
}

}  // namespace pictures
