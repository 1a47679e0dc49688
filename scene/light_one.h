#pragma once
#include <array>

// Light 1 as the scene sets it up: its colours and how it fades. The
// saver, the model viewer and the asset generator, which matches its
// paints to this light, all read them here.

// Light 1's three colours, red, green and blue each.
struct Light1Colours {
  std::array<float, 3> ambient, diffuse, specular;
};

// The plain scene's light 1: a grey light whose strength near the train
// comes from its quadratic attenuation.
constexpr Light1Colours kPlainLight1{{0.1f, 0.1f, 0.1f}, {0.4f, 0.4f, 0.4f}, {0.5f, 0.5f, 0.5f}};

// Light 1 fades with the square of the distance only (no constant or
// linear term), per scene unit squared: strong near the train, weak at
// the far plants, which draw mostly on their ambient colour.
constexpr float kLight1QuadraticAttenuation = 0.0003f;
