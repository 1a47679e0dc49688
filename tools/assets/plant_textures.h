#pragma once
#include <cstdint>
#include <vector>

// Textures of the roadside plants, PNG bytes with alpha where the plant is
// cut out (drawn with the alpha test: alpha above 0.9 stays).
std::vector<uint8_t> paintFirSkirt();  // one tier of fir branches, snow on top
std::vector<uint8_t> paintBark();      // dark fir bark
std::vector<uint8_t> paintBirchBark(); // white bark with dark marks
std::vector<uint8_t> paintTwigs(bool bush);  // branching twigs, snow on their upper sides
