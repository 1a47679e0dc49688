#pragma once
#include <cstdint>

#include "train/locomotive_layout.h"

// The train's own light at night: the headlamp with its glare and its pool
// of light on the snow ahead, the glow of the lit cab windows, and the
// fire's glow above the chimney that lights the smoke from below. Lamp
// glass, windows and fire are drawn at full brightness at every hour; the
// glows grow from nothing at dusk to their full size at night.
//
// Where they sit, in the train's frame (X forward, Y across, Z up): the
// locomotive's model and these nodes share the numbers.
namespace nightlights {

// The headlamp on the smokebox front: its glass faces +X.
constexpr double kLampGlassX = 13.0;
constexpr double kLampCentreZ = 4.87;
constexpr double kLampGlassRadius = 0.32;
// The glare stands a little ahead of the glass, so the smokebox does not
// cut it in half when the lamp is seen from the side.
constexpr double kGlareX = kLampGlassX + 0.3;
// The pool of light starts under the lamp and reaches this far ahead.
constexpr double kPoolStartX = kLampGlassX;
constexpr double kPoolLength = 34.0;

// The round windows in the cab's front sheet, either side of the boiler,
// their glass facing +X.
constexpr double kCabFrontSheetX = -6.5;
constexpr double kSpectacleX = kCabFrontSheetX + 0.05;
constexpr double kSpectacleY = 1.9;
constexpr double kSpectacleZ = 4.6;
constexpr double kSpectacleRadius = 0.45;

// The fire door inside the cab, facing the cab's open back (-X).
constexpr double kCabFireX = kCabFrontSheetX - 1.02;
constexpr double kCabFireZ = 1.2;
constexpr double kCabFireWidth = 1.1;
constexpr double kCabFireHeight = 0.9;

// The fire behind the firebox car's open door towards the cab, in the
// train's frame, 8.38 ahead of the car's anchor.
constexpr double kCarFireX = locomotive_layout::kCarAnchorX + 8.38;
constexpr double kCarFireZ = 1.0;

// The cab's side windows: centre along X and up, and the cab's half width.
constexpr double kCabWindowX = -9.45;
constexpr double kCabWindowZ = 3.7;
constexpr double kCabWindowLength = 3.3;
constexpr double kCabWindowHeight = 2.2;
constexpr double kCabSideY = 3.2;

// The fire's glare hangs in the door, a little out towards the cab.
constexpr double kFireGlareX = kCarFireX + 0.6;

// The fire's glow hangs this far above the chimney's top.
constexpr double kChimneyGlowRise = 1.0;

}  // namespace nightlights

// One-shot event callback on the train node, run after the locomotive is
// built: adds the night lights as children of `currentNode`.
void buildNightLights(int32_t);
