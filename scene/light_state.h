#pragma once
#include <array>
#include <vector>

// The light of a winter day in the northern mid-latitudes, as a function of
// the local time: the sun rises about 08:00, stands about 16.5 degrees high
// at noon and sets about 16:00, a short blue dusk follows, then moonlight.
// Every value changes smoothly with the time, without a jump anywhere in
// the 24 hours. Computed without OpenGL, so tests can step through a day.

using Rgb = std::array<float, 3>;

enum class DayPhase { Night, Dawn, Day, Dusk };

// Where the moon stands, the night's light: its bearing in degrees from +Y
// (the south of the landscape's frame) towards +X, and its elevation.
constexpr double kMoonBearing = -35.0;
constexpr double kMoonElevation = 24.0;

struct LightState {
  double sunElevation = 0;  // degrees above the horizon, negative below

  // Light 1, made directional: its colours, and the unit vector towards it
  // in the landscape's frame (X along the track, Y across, Z up).
  Rgb ambient{}, diffuse{}, specular{};
  std::array<double, 3> direction{};
  // The light model's ambient, which every lit surface receives.
  Rgb sceneAmbient{};
  // What the snow and the sky throw back onto the train: an ambient part
  // and a fill from below on the side turned from the sun or moon (the unit
  // vector towards it), so the train's shaded side keeps its colours when
  // the light comes from behind it.
  Rgb bounceAmbient{}, bounceDiffuse{};
  std::array<double, 3> bounceDirection{};

  // The current colour that modulates unlit terrain, rails and background.
  Rgb tint{};
  // The colour of falling snow far from the train's lamps.
  Rgb snowColour{};

  double nightSky = 0;    // 0..1: how much of the sky is the starry one
  double twilight = 0;    // 0..1: strength of the glow over the horizon
  double glowAzimuth = 0; // degrees about Z in the landscape's frame: the
                          // horizon glow's bearing, after the sun's
  double trainLights = 0; // 0..1: how far the train's night lights reach

  // Every value above as one list, for checks that go through them all.
  std::vector<double> values() const;
};

// The state at `minutes` after local midnight (0 to 1440; other values
// wrap round the day).
LightState lightStateAt(double minutes);

// Which part of the day `minutes` after midnight falls in.
DayPhase dayPhaseAt(double minutes);

// Minutes after midnight of a broken-down local time, seconds included.
double minutesOfDay(int hour, int minute, int second);
