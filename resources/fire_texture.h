#pragma once
#include <cstdint>
#include <vector>

// A cellular flame: random sparks below the visible rows, heat averaged
// upwards and cooled by one step per update, coloured through a palette.
struct FireState {
  // 256 RGBA entries, indexed by heat.
  uint8_t palette[256][4];
  // Heat per cell, rows of `width` cells; rows 0 .. height-1 are visible,
  // the last three rows take the sparks. Both start cold (0).
  std::vector<uint8_t> current;
  std::vector<uint8_t> next;
  int width = 0;
  int rows = 0;
};

// Both buffers cold and the palette filled; needs width and height >= 2.
FireState* makeFireState(int width, int height);
void releaseFireState(void* userData);

// The flame palette: five linear ramps, black transparent through red,
// orange and yellow to a pale blue and back to yellow.
void fillFirePalette(uint8_t palette[256][4]);

// One step of the flame without sparks: each visible cell of `next` becomes
// the mean of eight cells of `current` (its left and right neighbours and
// the three cells below it in each of the next two rows, summed and shifted
// right by 3), less one unless already 0; the outer columns stay cold.
void spreadAndCool(FireState& fire, int height);

// The generator: `userData` is the FireState. The time is not used; every
// call advances the flame by one step. Draws its sparks from rand().
void generateFire(uint32_t timeMs, int width, int height, uint8_t* pixels, void* userData);
