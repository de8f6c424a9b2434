#pragma once

// JPEG pictures decoded with libjpeg itself, so that a damaged file is refused with
// libjpeg's own words instead of showing as a grey half-picture.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <QImage>

namespace velmora {

class JpegDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Decodes the whole file held in bytes. Any error or warning of the decoder (a truncated
// file is only a warning to libjpeg) throws JpegDecodeError "<name>: <libjpeg's text>".
QImage DecodeJpeg(const std::vector<std::uint8_t>& bytes, const std::string& name);

}  // namespace velmora
