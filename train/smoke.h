#pragma once
#include <cstdint>

// The random values of one smoke particle, drawn in this order: lifetime,
// drift back, drift across, rise, then the three scale factors (z, y, x).
struct SmokeParticleDraw {
  double lifetimeMs;       // 7500 to 8499
  double driftBack;        // units per second along X: -12 to -7, whole values
  double driftAcross;      // units per second along Y: -1 to 2, whole values
  double riseHeight;       // units, 2 to 7: the height the particle levels off at
  double scaleX, scaleY, scaleZ;  // 0.50 to 1.49 in steps of 0.01
};

SmokeParticleDraw drawSmokeParticle();

// How many particles are due for an emitter whose local time is `t` ms. One
// particle is due every 40 to 59 ms (a fresh random gap for each); the
// remainder, 0 or below, is left in `t` for the next frame.
int takeDueParticles(double& t);

// Permanent event callback on the emitter node at the chimney top: adds the
// particles due since the last frame as children of `currentNode`.
void emitSmoke(int32_t);
