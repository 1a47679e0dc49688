#pragma once
#include <cstdint>
#include <string>

// What a procedural texture name asks for. The grammar: any first character,
// '#', the kind (the text up to the first decimal digit), width, one
// separator character, height; Plasma adds three times a separator and a
// colour component (red, green, blue; low 8 bits kept).
struct ProceduralTextureRequest {
  enum class Kind { Plasma, Fire };
  Kind kind = Kind::Plasma;
  int width = 0;
  int height = 0;
  uint8_t colour[3] = {0, 0, 0};
};

// Largest width or height accepted, in pixels.
constexpr int kMaxProceduralTextureSide = 4096;

// False for names that are not procedural, name another kind, or whose
// numbers are missing, malformed, not positive or larger than
// kMaxProceduralTextureSide; Fire also needs at least 2 x 2.
bool parseProceduralTextureName(const std::string& name, ProceduralTextureRequest& request);
