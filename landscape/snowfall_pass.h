#pragma once
#include <cstdint>

#include "landscape/snowfall.h"

// Falling snow on screen. A node under the landscape node holds the
// flake's texture and carries a permanent `gatherSnowfall` event, which
// notes the frame's time and the landscape's matrix; after the world is
// drawn, `drawSnowfall` draws every flake in one blended pass of small
// quads facing the viewer, depth-tested against the world but writing no
// depth.

// The image every flake is drawn with, from the scene's main archive.
constexpr const char* kFlakeArchive = "main.pak";
constexpr const char* kFlakeImage = "snezhinka.png";

// Where the train's headlamp shines from, in the landscape's frame: flakes
// in its beam light up at night.
struct SnowLamp {
  double x, y, z;
};

// Makes the flakes of `snowfall` from `seed` (None: no flakes).
void startSnowfall(Snowfall snowfall, unsigned seed, const SnowLamp& lamp);

// Permanent event callback on the snow node; A is the flake's texture (no
// flakes are drawn without one). Selector 1: the flakes take the colour of
// the time of day's light and catch the lamp's beam; selector 0: plain
// white.
void gatherSnowfall(int32_t);

// Draws the flakes gathered in this frame, if any, and forgets them; while
// the frame is drawn again for another monitor, draws them again. Leaves
// lighting and blending off, depth writes on and the current colour white.
void drawSnowfall();
