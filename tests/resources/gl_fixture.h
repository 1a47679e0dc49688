#pragma once
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/offscreen_gl.h"

// An offscreen OpenGL context with the state the program sets once when its
// context is made (texturing, client arrays, blend and alpha functions),
// and an orthographic view: x and y from -32 to 32 map to the 64 x 64
// pixels, z from -10 (far) to 10 (near).
class GlTest : public testing::Test {
 protected:
  static constexpr int kSize = 64;

  void SetUp() override;
  void TearDown() override;

  // RGBA of window pixel (x, y), y counted from the bottom.
  std::array<uint8_t, 4> pixel(int x, int y) const;
  // Depth buffer value at window pixel (x, y).
  float depthAt(int x, int y) const;
  // Texels of a 2D texture, rows from t = 0.
  std::vector<uint8_t> texels(uint32_t texture, int& width, int& height) const;

  std::unique_ptr<OffscreenGlContext> context_;
};

using Rgba = std::array<uint8_t, 4>;

// Encoded images for image entries.
std::vector<uint8_t> pngImage(int width, int height, const std::vector<uint8_t>& rgba);
std::vector<uint8_t> bmpImage24(int width, int height, const std::vector<uint8_t>& rgb);
// Paletted 8-bit BMP; `indices` pick from `palette` (RGB triples).
std::vector<uint8_t> bmpImage8(int width, int height, const std::vector<uint8_t>& indices,
                               const std::vector<uint8_t>& palette);
