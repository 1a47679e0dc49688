// Procedural texture names. Whatever the text: parsing ends, an accepted
// name asks for a size the texture code can make, and the parser agrees with
// a second reading of the grammar built on formatted stream input.
#include <cstdint>
#include <sstream>
#include <string>

#include "resources/model_format.h"
#include "resources/procedural_name.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using Kind = ProceduralTextureRequest::Kind;

bool soundSide(long side) { return side > 0 && side <= kMaxProceduralTextureSide; }

// Reads "<separator><integer>" from the stream; the separator is any one
// character, blank or not.
bool separatedInteger(std::istream& in, long& value) {
  char separator;
  int read;
  if (!in.get(separator) || !(in >> read)) return false;
  value = read;
  return true;
}

// The grammar read a second way: kind up to the first digit, then numbers
// the way `>>` reads an int.
bool referenceParse(const std::string& name, ProceduralTextureRequest& request) {
  if (name.size() < 2 || name[1] != '#') return false;
  size_t digit = name.find_first_of("0123456789", 2);
  if (digit == std::string::npos) digit = name.size();
  std::string kind = name.substr(2, digit - 2);
  if (kind != "Plasma" && kind != "Fire") return false;
  request.kind = kind == "Fire" ? Kind::Fire : Kind::Plasma;
  std::istringstream in(name.substr(digit));
  int width;
  long height;
  if (!(in >> width) || !separatedInteger(in, height)) return false;
  if (!soundSide(width) || !soundSide(height)) return false;
  if (request.kind == Kind::Fire && (width < 2 || height < 2)) return false;
  request.width = width;
  request.height = static_cast<int>(height);
  if (request.kind == Kind::Fire) return true;
  for (uint8_t& component : request.colour) {
    long value;
    if (!separatedInteger(in, value)) return false;
    component = static_cast<uint8_t>(value & 0xFF);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string name(reinterpret_cast<const char*>(data), size);
  ProceduralTextureRequest parsed;
  bool accepted = parseProceduralTextureName(name, parsed);
  ProceduralTextureRequest expected;
  FUZZ_CHECK(accepted == referenceParse(name, expected));
  if (!accepted) return 0;
  FUZZ_CHECK(isProceduralTextureName(name));
  FUZZ_CHECK(parsed.kind == expected.kind);
  FUZZ_CHECK(parsed.width == expected.width && parsed.height == expected.height);
  FUZZ_CHECK(soundSide(parsed.width) && soundSide(parsed.height));
  if (parsed.kind == Kind::Plasma) {
    for (int c = 0; c < 3; ++c) FUZZ_CHECK(parsed.colour[c] == expected.colour[c]);
  }
  return 0;
}
