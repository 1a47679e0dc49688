#pragma once
#include <functional>
#include <string>

// What a program drawing the desktop's background does, each with an
// OpenGL context current: a compatibility-profile context of desktop
// OpenGL, so fixed-function GL 1.1 calls work.
struct BackgroundDrawing {
  // Once, before the first frame, with the first surface's size in pixels.
  std::function<void(int width, int height)> start;
  // One picture of the given size, shown when it returns: the whole scene,
  // or with `overlaysApart` the scene without its overlays.
  std::function<void(int width, int height, bool overlaysApart)> frame;
  // Right after a frame with `overlaysApart`: the overlays of that moment
  // alone, on a transparent picture of the given size (the part of the
  // output its panels leave free), its colours premultiplied by alpha.
  std::function<void(int width, int height)> overlays;
  // Asked between frames, several times a second: true ends the run.
  std::function<bool()> stopRequested;
  // Once at the end, after `start`, before the context goes.
  std::function<void()> stop;
  // Whether the run shows any overlay: without, no surface is made for
  // them, and every frame is the whole scene.
  bool overlaysShown = true;
};

// Draws `drawing` as the background of each output of a Wayland compositor
// that offers layer surfaces: on each output the scene on the background
// layer, under every window and panel, and the overlays on a surface of
// their own above it that the compositor keeps clear of the panels (where
// EGL cannot make transparent surfaces for the context, the overlays stay
// in the scene). None takes keyboard or pointer input. An output draws
// only when the compositor asks it for a frame, so a hidden background
// costs nothing. Returns when `stopRequested` says so;
// false with `problem` set (one line) when there is no compositor, no
// layer shell or no OpenGL for its surfaces.
bool runBackgroundSurfaces(const BackgroundDrawing& drawing, std::string& problem);
