#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// An OpenGL context that draws into memory (Mesa's OSMesa), for the still
// renderer, tools and tests: no display needed. RGBA colour, 24-bit depth.
class OffscreenGlContext {
 public:
  OffscreenGlContext(int width, int height);
  ~OffscreenGlContext();
  OffscreenGlContext(const OffscreenGlContext&) = delete;
  OffscreenGlContext& operator=(const OffscreenGlContext&) = delete;

  // False when the context could not be created or made current.
  bool ok() const { return ok_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Makes this context current on the calling thread.
  bool makeCurrent();

  // The colour buffer after glFinish, bottom row first (OpenGL order).
  std::vector<uint8_t> readPixels() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int width_;
  int height_;
  bool ok_ = false;
};
