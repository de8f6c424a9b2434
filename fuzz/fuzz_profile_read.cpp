// Any bytes as a profile file, then a read of every section and key the file names. A read
// never changes the file, and gives text that can be written back: valid UTF-8 that fits
// the Windows buffer, without a line break or a NUL.

#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzTempFile.h"
#include "ProfileNames.h"
#include "profile/Cp1252.h"
#include "profile/Profile.h"

namespace {

using velmora::fuzz::Require;

constexpr std::size_t kMaxReads = 64;

bool IsWritableValue(const std::string& value) {
  try {
    return velmora::Utf8ToCp1252(value).size() <= 2047;
  } catch (const velmora::EncodingError&) {
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto file = velmora::fuzz::WriteScratchFile(bytes);
  for (const velmora::fuzz::NamedKey& named : velmora::fuzz::NamedKeys(bytes, kMaxReads)) {
    const std::string value = velmora::ReadProfileString(file, velmora::Cp1252ToUtf8(named.section),
                                                         velmora::Cp1252ToUtf8(named.key));
    Require(IsWritableValue(value), "value not valid text or too long");
    Require(value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
            "value holds a line break or a NUL");
  }
  // Names that cannot be spelled in the file's code page read as missing.
  Require(velmora::ReadProfileString(file, "\xFF", "key").empty(), "invalid name found a value");
  Require(velmora::fuzz::ReadWholeFile(file) == bytes, "a read changed the file");
  return 0;
}
