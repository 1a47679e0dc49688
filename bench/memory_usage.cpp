#include "bench/memory_usage.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The number after `field` on its line, or -1.
long fieldKb(const std::string& text, const char* field) {
  size_t start = 0;
  const std::string name = field;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (text.compare(start, name.size(), name) == 0) {
      const std::string rest = text.substr(start + name.size(), end - start - name.size());
      const char* digits = rest.c_str();
      char* after = nullptr;
      long value = std::strtol(digits, &after, 10);
      return after == digits || value < 0 ? -1 : value;
    }
    start = end + 1;
  }
  return -1;
}

}  // namespace

MemoryUsage parseMemoryStatus(const std::string& statusText) {
  MemoryUsage usage;
  usage.residentKb = fieldKb(statusText, "VmRSS:");
  usage.peakResidentKb = fieldKb(statusText, "VmHWM:");
  usage.privateKb = fieldKb(statusText, "RssAnon:");
  return usage;
}

MemoryUsage readMemoryUsage() {
  std::ifstream in("/proc/self/status");
  std::stringstream text;
  text << in.rdbuf();
  return parseMemoryStatus(text.str());
}
