#include "ProfileNames.h"

#include "profile/ProfileText.h"

namespace velmora::fuzz {

std::vector<NamedKey> NamedKeys(std::string_view bytes, std::size_t limit) {
  std::vector<NamedKey> keys;
  std::string section;
  std::size_t begin = 0;
  while (begin < bytes.size() && keys.size() < limit) {
    std::size_t end = bytes.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    const std::string_view line = TrimBlanks(bytes.substr(begin, end - begin));
    begin = end + 1;
    if (line.starts_with('[')) {
      const std::size_t close = line.find(']');
      section =
          std::string(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
      keys.push_back({section, "missing key"});
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
      keys.push_back({section, std::string(TrimBlanks(line.substr(0, equals)))});
    }
  }
  return keys;
}

}  // namespace velmora::fuzz
