#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The preview window: a child window that fills the host's preview window
// and shows one still picture. The host hands over its window as a number;
// the child lives until the host destroys it.

// What one paint shows: `width` × `height` pixels at the top left of the
// window, each 0xRRGGBB, top row first. The rest of the window is black.
struct PreviewPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Called on every paint with the window's size in pixels (the host window's
// size, measured once when the child was created).
using PreviewPainter = std::function<PreviewPicture(int width, int height)>;

enum class PreviewWindowEnd {
  Destroyed,     // the child window went away with its host: a normal end
  NoDisplay,     // the window system cannot be reached
  NoSuchParent,  // the host window does not exist (or vanished at once)
  Failed,        // the child window could not be created
};

// Measures `parentWindow`, creates the child of the same size at (0, 0)
// inside it and paints it with `painter` whenever it is exposed, until the
// child is destroyed. On any other end `problem` says what went wrong in one
// line.
PreviewWindowEnd runPreviewWindow(int64_t parentWindow, const PreviewPainter& painter,
                                  std::string& problem);
