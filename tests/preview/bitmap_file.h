#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Test pictures: `pixels` are 0xRRGGBB, top row first.
struct TestPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A picture in which neighbouring pixels, rows and channels all differ, so
// a swapped channel, a flipped row or an offset shows.
TestPicture patternPicture(int width, int height, uint32_t seed);

// Writes an uncompressed BMP file of 24 or 32 bits per pixel, bottom row
// first as the format stores it, each row padded to 4 bytes.
bool writeBitmapFile(const std::string& path, const TestPicture& picture, int bitsPerPixel = 24);
