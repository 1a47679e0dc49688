#include "resources/procedural_name.h"

#include <cstddef>
#include <cctype>
#include <climits>

namespace {

// Reads an integer the way formatted stream input does: leading white
// space, an optional sign, then at least one digit. False on anything else
// or on overflow of a 32-bit int.
bool readInteger(const std::string& text, size_t& at, long& value) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  size_t firstDigit = at;
  // A negative number reaches one further than a positive one (INT_MIN).
  const long limit = negative ? -static_cast<long>(INT_MIN) : INT_MAX;
  long magnitude = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > limit) return false;
    ++at;
  }
  if (at == firstDigit) return false;
  value = negative ? -magnitude : magnitude;
  return true;
}

// One separator character (any), then an integer.
bool readSeparatedInteger(const std::string& text, size_t& at, long& value) {
  if (at >= text.size()) return false;
  ++at;
  return readInteger(text, at, value);
}

bool soundSide(long side) { return side > 0 && side <= kMaxProceduralTextureSide; }

}  // namespace

bool parseProceduralTextureName(const std::string& name, ProceduralTextureRequest& request) {
  if (name.size() < 2 || name[1] != '#') return false;
  size_t at = 2;
  while (at < name.size() && !std::isdigit(static_cast<unsigned char>(name[at]))) ++at;
  std::string kind = name.substr(2, at - 2);
  ProceduralTextureRequest parsed;
  if (kind == "Plasma") {
    parsed.kind = ProceduralTextureRequest::Kind::Plasma;
  } else if (kind == "Fire") {
    parsed.kind = ProceduralTextureRequest::Kind::Fire;
  } else {
    return false;
  }
  long width = 0, height = 0;
  if (!readInteger(name, at, width) || !readSeparatedInteger(name, at, height)) return false;
  if (!soundSide(width) || !soundSide(height)) return false;
  parsed.width = static_cast<int>(width);
  parsed.height = static_cast<int>(height);
  if (parsed.kind == ProceduralTextureRequest::Kind::Fire && (width < 2 || height < 2)) {
    return false;
  }
  if (parsed.kind == ProceduralTextureRequest::Kind::Plasma) {
    for (uint8_t& component : parsed.colour) {
      long value = 0;
      if (!readSeparatedInteger(name, at, value)) return false;
      component = static_cast<uint8_t>(value & 0xFF);
    }
  }
  request = parsed;
  return true;
}
