#include "platform/local_time.h"

#include <cstdio>

namespace {

TimeSource& timeSource() {
  static TimeSource source;
  return source;
}

}  // namespace

std::tm readLocalTime() {
  const TimeSource& source = timeSource();
  std::time_t now = source ? source() : std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

void setTimeSource(TimeSource source) { timeSource() = std::move(source); }

bool parseLocalTime(const char* text, std::time_t& result) {
  std::tm parts{};
  int consumed = 0;
  if (std::sscanf(text, "%d-%d-%d %d:%d:%d%n", &parts.tm_year, &parts.tm_mon, &parts.tm_mday,
                  &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &consumed) != 6 ||
      text[consumed] != '\0') {
    return false;
  }
  if (parts.tm_mon < 1 || parts.tm_mon > 12 || parts.tm_mday < 1 || parts.tm_mday > 31 ||
      parts.tm_hour < 0 || parts.tm_hour > 23 || parts.tm_min < 0 || parts.tm_min > 59 ||
      parts.tm_sec < 0 || parts.tm_sec > 60) {
    return false;
  }
  parts.tm_year -= 1900;
  parts.tm_mon -= 1;
  parts.tm_isdst = -1;
  result = std::mktime(&parts);
  return result != static_cast<std::time_t>(-1);
}
