#include "bitmap_file.h"

#include <fstream>

namespace {

void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

TestPicture patternPicture(int width, int height, uint32_t seed) {
  TestPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t r = (x * 7 + seed) & 0xFF;
      uint32_t g = (y * 11 + seed * 3) & 0xFF;
      uint32_t b = (x * 3 + y * 5 + 128 + seed) & 0xFF;
      picture.pixels.push_back(r << 16 | g << 8 | b);
    }
  }
  return picture;
}

bool writeBitmapFile(const std::string& path, const TestPicture& picture, int bitsPerPixel) {
  const uint32_t bytesPerPixel = static_cast<uint32_t>(bitsPerPixel / 8);
  const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * bytesPerPixel + 3) / 4 * 4;
  const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(picture.height);
  std::string out = "BM";
  put32(out, 54 + dataBytes);  // file size
  put32(out, 0);
  put32(out, 54);              // offset of the pixel data
  put32(out, 40);              // information header size
  put32(out, static_cast<uint32_t>(picture.width));
  put32(out, static_cast<uint32_t>(picture.height));  // positive: bottom row first
  put16(out, 1);
  put16(out, static_cast<uint32_t>(bitsPerPixel));
  put32(out, 0);               // no compression
  put32(out, dataBytes);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = picture.height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t p = picture.at(x, y);
      row += static_cast<char>(p & 0xFF);
      row += static_cast<char>((p >> 8) & 0xFF);
      row += static_cast<char>((p >> 16) & 0xFF);
      if (bytesPerPixel == 4) row += '\0';
    }
    row.resize(rowBytes, '\0');
    out += row;
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}
