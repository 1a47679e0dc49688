#pragma once
#include <cstdint>

// Sets `frameTime` for a new frame and lets procedural textures follow it.
void beginFrame(uint32_t time);

// What a picture holds: the whole scene, or one of its two layers for a
// host that shows the overlays on a surface of their own above the world
// (a video of one view; with several, every view shows its whole scene).
enum class PictureLayers { Everything, WorldOnly, OverlaysOnly };

// Draws one frame into the current context without presenting it, into
// each of the video's views in turn: clear, view translation, world and
// overlay trees, then the queued blended meshes. The overlays alone are
// drawn on a cleared, transparent picture, their colours premultiplied by
// their alpha as a compositor blends a surface: alpha is the overlays'
// coverage.
void renderFrame(PictureLayers layers = PictureLayers::Everything);
