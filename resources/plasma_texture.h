#pragma once
#include <cstdint>

// Moving sine-wave contour bands in a base colour on a transparent ground,
// crossed by a grid every 16 pixels and along the last row and column.

// The wave value of pixel (x, y) at `timeMs` ms: 21 times the sum of six
// sines plus 128, truncated to a 16-bit integer (2 to 254 in practice).
int16_t plasmaWaveValue(double timeMs, int x, int y, int width, int height);

// The RGBA pixel for wave value `v` over the base colour `rgb`: the colour
// is shifted by (v - 120) mod 256 and opaque only for v from 121 to 126.
void plasmaShade(int16_t v, const uint8_t rgb[3], uint8_t pixel[4]);

// True for grid pixels: green 127, opaque.
bool isPlasmaGridPixel(int x, int y, int width, int height);

// The generator: `userData` points at the three base colour bytes.
void generatePlasma(uint32_t timeMs, int width, int height, uint8_t* pixels, void* userData);

// User data for generatePlasma: a copy of the base colour; freed by
// releasePlasmaColour.
void* makePlasmaColour(const uint8_t rgb[3]);
void releasePlasmaColour(void* userData);
