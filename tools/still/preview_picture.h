#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The host's preview picture: 152 x 112 pixels, a 24-bit BMP whose rows are
// exactly 456 bytes. Made from a larger RGBA frame (bottom row first, as
// OpenGL reads it) by averaging blocks of `factor` x `factor` pixels.
constexpr int kPreviewWidth = 152;
constexpr int kPreviewHeight = 112;

std::vector<uint8_t> shrinkFrame(const std::vector<uint8_t>& rgbaBottomUp, int width, int height,
                                 int factor);

// Writes RGBA pixels (top row first) as a 24-bit BMP. False on failure.
bool writeBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
