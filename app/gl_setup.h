#pragma once

// The fixed OpenGL state and camera every frame relies on. Usable on any
// current context: the saver's SDL window or an offscreen one.

struct EyePoint {
  double x = 0, y = 0, z = 0;
};

// Texturing, smooth shading, black clear colour, depth test (LEQUAL), blend
// factors and alpha reference (both left disabled), nicest perspective,
// separate specular colour where available, and the three client arrays
// every mesh draws from.
void applyFixedGlState();

// Viewport and a 45-degree perspective (near 0.1, far 250) for the size;
// leaves an identity model-view matrix current. Returns the eye-space point
// of the viewport's lower-left corner, from which the picture's edges at
// any depth follow. A height of 0 counts as 1. The viewport's lower-left
// corner lies at (x, y) of the window.
EyePoint setProjection(int width, int height, int x = 0, int y = 0);
