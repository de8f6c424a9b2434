#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora {

// "'<text>' n'est pas une valeur entière correcte"
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A whole number written in decimal, as settings and presets store them.
int StrToInt(std::string_view text);

}  // namespace velmora
