#pragma once
#include <cstdint>

// Sets `frameTime` for a new frame and lets procedural textures follow it.
void beginFrame(uint32_t time);

// Draws one frame into the current context without presenting it, into
// each of the video's views in turn: clear, view translation, world and
// overlay trees, then the queued blended meshes.
void renderFrame();
