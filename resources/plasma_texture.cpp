#include "resources/plasma_texture.h"

#include <cstddef>
#include <cmath>

namespace {

// The grid spacing in pixels.
constexpr int kGridStep = 16;
// Green of the grid lines.
constexpr uint8_t kGridGreen = 127;

}  // namespace

// Three rates (radians per millisecond), each moving one wave along x and one
// along y; kx and ky make one period span the texture (6.28, not exactly 2 pi).
int16_t plasmaWaveValue(double timeMs, int x, int y, int width, int height) {
  double kx = 6.28 / width;
  double ky = 6.28 / height;
  double sum = std::sin(kx * x - 0.00012 * timeMs) + std::sin(2 * kx * x - 0.00024 * timeMs) +
               std::sin(4 * kx * x - 0.0048 * timeMs) + std::sin(ky * y - 0.00012 * timeMs) +
               std::sin(2 * ky * y - 0.00024 * timeMs) + std::sin(4 * ky * y - 0.0048 * timeMs);
  return static_cast<int16_t>(static_cast<int>(sum * 21 + 128));
}

void plasmaShade(int16_t v, const uint8_t rgb[3], uint8_t pixel[4]) {
  // The low byte read as signed: 128 and above count as negative.
  int8_t c = static_cast<int8_t>(static_cast<uint8_t>(v & 0xFF));
  uint8_t shift = static_cast<uint8_t>(c - 120);
  for (int i = 0; i < 3; ++i) pixel[i] = static_cast<uint8_t>(rgb[i] + shift);
  pixel[3] = (c > 120 && c != 127) ? 255 : 0;
}

bool isPlasmaGridPixel(int x, int y, int width, int height) {
  return x == width - 1 || x % kGridStep == 0 || y % kGridStep == 0 || y == height - 1;
}

void generatePlasma(uint32_t timeMs, int width, int height, uint8_t* pixels, void* userData) {
  const uint8_t* rgb = static_cast<const uint8_t*>(userData);
  double time = static_cast<double>(timeMs);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = pixels + 4 * (static_cast<size_t>(y) * width + x);
      plasmaShade(plasmaWaveValue(time, x, y, width, height), rgb, pixel);
      if (isPlasmaGridPixel(x, y, width, height)) {
        pixel[1] = kGridGreen;
        pixel[3] = 255;
      }
    }
  }
}

void* makePlasmaColour(const uint8_t rgb[3]) {
  uint8_t* colour = new uint8_t[3];
  for (int i = 0; i < 3; ++i) colour[i] = rgb[i];
  return colour;
}

void releasePlasmaColour(void* userData) { delete[] static_cast<uint8_t*>(userData); }
