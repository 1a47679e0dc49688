#pragma once
#include <cstdint>

#include "scene/light_one.h"

// Draw hooks that switch OpenGL state around a node's meshes (phases 1, 2)
// and, for some, around each child (phases 3, 4). The value is unused.

// Lighting with light 1 on: around meshes and children.
void lightingHook(int32_t phase, int32_t value);
// Depth test off: around meshes and children, so overlays draw on top.
void noDepthHook(int32_t phase, int32_t value);
// Meshes face the viewer: the rotation part of the model-view matrix is
// replaced by the identity, the position kept.
void billboardHook(int32_t phase, int32_t value);
// Lighting off around the node's own meshes only.
void noLightingHook(int32_t phase, int32_t value);

// Sets light 1's colours; the one place that writes them, for the plain
// scene and for the light of the time of day alike.
void setLight1Colours(const Light1Colours& colours);

// The plain scene's light 1: its colours and attenuation; its position
// comes from a node's `lightPosition` event every frame.
void setupLight1();
