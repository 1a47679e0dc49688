#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGBA pixels as a PNG. With `bottomUp` the first row of
// `pixels` is the bottom of the picture (OpenGL's read-back order).
bool writePngRgba(const std::string& path, int width, int height,
                  const std::vector<uint8_t>& pixels, bool bottomUp);

// Reads a PNG into 8-bit RGBA, top row first. False when unreadable.
bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& pixels);
