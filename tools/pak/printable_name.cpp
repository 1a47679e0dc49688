#include "printable_name.h"

namespace {

// The escape for one byte that cannot be printed as it is, or empty.
std::string escapeFor(unsigned char byte) {
  static const char kHexDigits[] = "0123456789abcdef";
  switch (byte) {
    case '\\': return "\\\\";
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\r': return "\\r";
    default: break;
  }
  if (byte >= 0x20 && byte < 0x7f) return std::string();
  return std::string("\\x") + kHexDigits[byte >> 4] + kHexDigits[byte & 0xf];
}

}  // namespace

std::string printableName(const std::string& name) {
  std::string text;
  text.reserve(name.size());
  for (char c : name) {
    std::string escape = escapeFor(static_cast<unsigned char>(c));
    if (escape.empty()) {
      text += c;
    } else {
      text += escape;
    }
  }
  return text;
}
