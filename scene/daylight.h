#pragma once
#include <cstdint>

#include "scene/light_state.h"

// The light of the time of day in OpenGL: draw hooks and controllers that
// apply the light state of the local time to the scene drawn under them.
// Nothing here runs unless the scene assembly attaches it.

// The state applied in the current frame (the noon state before the
// first); only daylightHook changes it.
const LightState& currentLight();

// On the world root, around its child: before it, reads the local time and
// sets light 1's colours, the scene's ambient light and the colour that
// tints the unlit terrain, rails and background; after it, gives the
// overlays their plain white back. The value is unused.
void daylightHook(int32_t phase, int32_t value);

// Controller on the light node: makes light GL_LIGHT0 + selector a
// directional light from the sun or moon, in the node's frame, and light
// GL_LIGHT3 the snow's bounce from below on the other side.
void daylightDirection(int32_t);

// Around a background layer's meshes: drawn unlit and blended over what is
// there with the weight of the starry sky (value 0) or of the horizon's
// glow (value 1).
void skyLayerHook(int32_t phase, int32_t value);

// Controller: turns the node about Z (selector 2) towards the bearing of
// the horizon's glow.
void followGlowBearing(int32_t);

// Around meshes that give light of their own (lamp glass, lit windows, the
// fire): drawn unlit at their texture's full brightness at every hour.
void selfLitHook(int32_t phase, int32_t value);

// Controller on a glow sprite or the lamp's pool of light: its node's scale
// follows how far the train's lights reach, from nothing by day to A at
// night; selector 0 scales it whole, selector 1 along X only (the pool
// reaching out ahead of the lamp).
void scaleWithTrainLights(int32_t);

// Light GL_LIGHT2: the fire's glow at the chimney top, which lights the
// smoke from below at night. Around the train's children it is switched on;
// its colours follow the light state. The value is unused.
void chimneyGlowHook(int32_t phase, int32_t value);

// Light GL_LIGHT3: what the snow and the sky throw back onto the train, so
// its side turned from a low sun keeps its colours. Around the train's
// children it is switched on; its colours follow the light state. The
// value is unused.
void snowBounceHook(int32_t phase, int32_t value);
