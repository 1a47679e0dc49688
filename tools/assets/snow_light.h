#pragma once
#include "tools/assets/geometry.h"

// The light baked into unlit ground: the scene's light 1 as a low winter
// sun, the blue of the open sky in its shadows, and the pale blue haze
// that distance lays over everything.

// Unit vector from the ground towards light 1, in the landscape frame.
Vec3 sunDirection();

// Colour (0..1 RGB) of snow on ground whose relief has unit normal
// `relief`, its surface detail `surface`, and that sees `sky` (0..1) of
// the sky: warm white where the sun falls square on it, cool blue-grey
// where it turns away or lies sheltered.
void snowColour(const Vec3& relief, const Vec3& surface, double sky, double rgb[3]);

// How much haze (0..1) lies over ground `distance` units from the middle
// of the view (the track under the train).
double hazeAt(double distance);

// Blends `rgb` towards the haze colour by `amount` (0..1).
void applyHaze(double amount, double rgb[3]);

// Open flat snow `distance` units off, haze and all: where the far field
// meets things drawn without a height field (the forest's foot).
void farSnowColour(double distance, double rgb[3]);
