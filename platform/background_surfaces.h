#pragma once
#include <functional>
#include <string>

// What a program drawing the desktop's background does, each with an
// OpenGL context current: a compatibility-profile context of desktop
// OpenGL, so fixed-function GL 1.1 calls work.
struct BackgroundDrawing {
  // Once, before the first frame, with the first surface's size in pixels.
  std::function<void(int width, int height)> start;
  // One picture of the given size, shown when it returns.
  std::function<void(int width, int height)> frame;
  // Asked between frames, several times a second: true ends the run.
  std::function<bool()> stopRequested;
  // Once at the end, after `start`, before the context goes.
  std::function<void()> stop;
};

// Draws `drawing` as the background of each output of a Wayland compositor
// that offers layer surfaces: one surface per output on the background
// layer, under every window and panel, which takes no keyboard or pointer
// input. A surface draws only when the compositor asks it for a frame, so
// a hidden background costs nothing. Returns when `stopRequested` says so;
// false with `problem` set (one line) when there is no compositor, no
// layer shell or no OpenGL for its surfaces.
bool runBackgroundSurfaces(const BackgroundDrawing& drawing, std::string& problem);
