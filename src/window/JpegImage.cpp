#include "window/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace velmora {

namespace {

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf back;
  char text[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void Fail(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  info->err->format_message(info, trap->text);
  std::longjmp(trap->back, 1);
}

// Warnings (level -1) end the decoding too: the picture would be incomplete.
void Message(j_common_ptr info, int level) {
  if (level < 0) {
    Fail(info);
  }
}

// Runs one libjpeg step; false when libjpeg gave up, with its text in the trap. The step
// holds no object with a destructor, since the jump back skips its frames.
template <typename Step>
bool Guarded(ErrorTrap& trap, Step step) {
  if (setjmp(trap.back) != 0) {
    return false;
  }
  step();
  return true;
}

}  // namespace

QImage DecodeJpeg(const std::vector<std::uint8_t>& bytes, const std::string& name) {
  jpeg_decompress_struct info{};
  ErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = Fail;
  trap.manager.emit_message = Message;
  jpeg_create_decompress(&info);
  const bool started = Guarded(trap, [&] {
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
  });
  QImage image;
  if (started) {
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
  }
  uchar* const bits = started ? image.bits() : nullptr;
  const qsizetype stride = image.bytesPerLine();
  const bool finished = started && Guarded(trap, [&] {
                          while (info.output_scanline < info.output_height) {
                            JSAMPROW row = bits + stride * info.output_scanline;
                            jpeg_read_scanlines(&info, &row, 1);
                          }
                          jpeg_finish_decompress(&info);
                        });
  jpeg_destroy_decompress(&info);
  if (!finished) {
    throw JpegDecodeError(name + ": " + trap.text);
  }
  return image;
}

}  // namespace velmora
