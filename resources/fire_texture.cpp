#include "resources/fire_texture.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

// Rows below the picture that take the sparks.
constexpr int kSparkRows = 3;

struct Ramp {
  int start;  // inclusive
  int end;    // exclusive
  uint8_t from[4];
  uint8_t to[4];
};

constexpr Ramp kRamps[] = {
    {0, 64, {0, 0, 0, 0}, {255, 51, 36, 140}},
    {64, 96, {255, 51, 36, 140}, {255, 189, 51, 255}},
    {96, 128, {255, 189, 51, 255}, {255, 237, 51, 255}},
    {128, 196, {255, 237, 51, 255}, {100, 100, 189, 255}},
    {196, 255, {100, 100, 189, 255}, {255, 231, 51, 255}},
};

void fillRamp(uint8_t palette[256][4], const Ramp& ramp) {
  for (int i = ramp.start; i < ramp.end; ++i) {
    for (int c = 0; c < 4; ++c) {
      double value = ramp.from[c] + static_cast<double>(ramp.to[c] - ramp.from[c]) *
                                        (i - ramp.start) / (ramp.end - ramp.start);
      palette[i][c] = static_cast<uint8_t>(static_cast<int>(value));
    }
  }
}

void addSparks(FireState& fire, int height) {
  int width = fire.width;
  int below = std::rand() & (width - 1);
  for (int k = 0; k < below; ++k) {
    int x = std::rand() % width;
    int row = height + std::rand() % kSparkRows;
    fire.current[static_cast<size_t>(row) * width + x] = static_cast<uint8_t>(std::rand() % 256);
  }
  // One spark inside the lower half of the picture.
  int x = std::rand() % width;
  int row = height / 2 + std::rand() % (height / 2);
  fire.current[static_cast<size_t>(row) * width + x] = static_cast<uint8_t>(std::rand() % 256);
}

void coolRow(const uint8_t* __restrict same, uint8_t* __restrict out, int w) {
  const uint8_t* __restrict below = same + w;
  const uint8_t* __restrict twoBelow = below + w;
  out[0] = 0;
  for (int x = 1; x < w - 1; ++x) {
    unsigned heat = (same[x - 1] + same[x + 1] + below[x - 1] + below[x] + below[x + 1] +
                     twoBelow[x - 1] + twoBelow[x] + twoBelow[x + 1]) >> 3;
    out[x] = static_cast<uint8_t>(heat - (heat != 0 ? 1 : 0));
  }
  out[w - 1] = 0;
}

}  // namespace

// Each cell takes the mean of its eight neighbours beside and below it, one
// less once warm. The row is written as independent sums over restrict
// pointers so the compiler can work on many cells at once: this runs for
// every texel of every frame.
void spreadAndCool(FireState& fire, int height) {
  const int w = fire.width;
  const uint8_t* cur = fire.current.data();
  uint8_t* next = fire.next.data();
  for (int row = 0; row < height; ++row) {
    size_t i = static_cast<size_t>(row) * w;
    coolRow(cur + i, next + i, w);
  }
}

void fillFirePalette(uint8_t palette[256][4]) {
  for (const Ramp& ramp : kRamps) fillRamp(palette, ramp);
  std::memcpy(palette[255], kRamps[4].to, 4);
}

FireState* makeFireState(int width, int height) {
  FireState* fire = new FireState();
  fire->width = width;
  fire->rows = height + kSparkRows;
  size_t cells = static_cast<size_t>(width) * static_cast<size_t>(fire->rows);
  fire->current.assign(cells, 0);
  fire->next.assign(cells, 0);
  fillFirePalette(fire->palette);
  return fire;
}

void releaseFireState(void* userData) { delete static_cast<FireState*>(userData); }

void generateFire(uint32_t /*timeMs*/, int width, int height, uint8_t* pixels, void* userData) {
  FireState& fire = *static_cast<FireState*>(userData);
  if (width != fire.width || height + kSparkRows != fire.rows || width < 2 || height < 2) return;
  addSparks(fire, height);
  spreadAndCool(fire, height);
  size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
  for (size_t k = 0; k < cells; ++k) std::memcpy(pixels + 4 * k, fire.palette[fire.next[k]], 4);
  fire.current.swap(fire.next);
}
