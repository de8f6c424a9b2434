#include "library/LibraryEntry.h"

#include <chrono>
#include <cstdio>

namespace velmora {

std::int64_t ModifiedSeconds(const FileStamp& stamp) {
  using namespace std::chrono;
  return floor<seconds>(nanoseconds(stamp.modified)).count();
}

std::string ModifiedText(const FileStamp& stamp) {
  using namespace std::chrono;
  const sys_seconds time{seconds(ModifiedSeconds(stamp))};
  const sys_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss clock{time - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

}  // namespace velmora
