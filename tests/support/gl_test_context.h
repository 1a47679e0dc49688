#pragma once
#include <gtest/gtest.h>

#include "platform/offscreen_gl.h"

// A fixture with a current offscreen GL context (64 x 64 unless a test asks
// for another size) and identity matrices.
class GlTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The current model-view matrix, column-major.
  static void modelView(double m[16]);

  std::unique_ptr<OffscreenGlContext> context;
  int width = 64;
  int height = 64;
};
