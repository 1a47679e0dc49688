#pragma once

// Where the scene puts light 1, in the landscape's frame: high on the +Y
// side of the train. The terrain is drawn unlit, so the asset generator
// bakes this same light into the ground's textures.
struct ScenePoint {
  double x, y, z;
};
constexpr ScenePoint kLight1Position{0.0, 10.0, 20.0};
