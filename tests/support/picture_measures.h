#pragma once
#include <cstdint>
#include <vector>

// Plain measures of a picture (8-bit RGBA, rows packed), for tests that
// judge what the saver draws rather than how.

// Luminance of one pixel, 0..255 (ITU-R BT.601 weights).
double luminance(const uint8_t* rgba);

// Mean and standard deviation of the luminance over the whole picture.
struct LuminanceSpread {
  double mean = 0, deviation = 0;
};
LuminanceSpread luminanceSpread(const std::vector<uint8_t>& rgba);

// The share (0..1) of whole 16 x 16 blocks that are featureless near-white:
// mean luminance above 225 and standard deviation under 4. Blocks cut by the
// right or bottom edge are left out. An empty picture gives 0.
double featurelessWhiteShare(const std::vector<uint8_t>& rgba, int width, int height);
