#pragma once
#include <cstdint>

#include "app/gl_setup.h"

// The saver's video: SDL with a full-screen OpenGL mode, the fixed GL state
// and camera, a hidden cursor. Also answers where the picture's left and
// bottom edges lie at a given eye depth, so overlays can be pinned to
// corners at any resolution.
class VideoContext {
 public:
  // Starts SDL and sets the mode; all-zero arguments keep the desktop's
  // mode, and so does a mode larger than any the screen offers (with a
  // one-line warning on stderr). On failure prints the reason to stderr and
  // ends the process with status 1.
  VideoContext(int32_t width, int32_t height, int32_t depth);

  // A context for a GL context that already exists and is current (the
  // offscreen renderer): fixed state and camera only, no SDL.
  static VideoContext* forCurrentContext(int32_t width, int32_t height);

  ~VideoContext();
  VideoContext(const VideoContext&) = delete;
  VideoContext& operator=(const VideoContext&) = delete;

  void setMode();
  void setProjection(int32_t w, int32_t h);

  // The picture is now `w` x `h` pixels (a host window changed size):
  // viewport, projection and edge functions follow.
  void resize(int32_t w, int32_t h);

  // Left edge (negated: right edge) and bottom edge (negated: top edge) of
  // the picture at eye depth `depth` (negative, in front of the eye).
  double edgeX(double depth) const { return corner.x * depth / corner.z; }
  double edgeY(double depth) const { return corner.y * depth / corner.z; }

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  bool multisampling() const { return multisampling_; }

  EyePoint corner;

 private:
  VideoContext() = default;
  void fitToScreen();
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t depth_ = 0;
  bool ownsSdl_ = false;
  bool multisampling_ = false;
};
