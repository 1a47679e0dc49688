#include "scene/light_state.h"

#include <cmath>
#include <cstddef>

namespace {

constexpr double kPi = 3.14159265358978;
constexpr double kMinutesPerDay = 1440.0;
// How steeply the snow's bounce rises onto the train: the tangent of its
// angle below the horizon.
constexpr double kBounceFromBelow = 0.8;

// Sun elevation = A · (cos h − cos 60°), h the hour angle: zero four hours
// either side of noon (08:00 and 16:00), 16.5 degrees at noon, as in late
// December near latitude 50 degrees north.
constexpr double kElevationScale = 33.0;
// The bearing moves 15 degrees an hour, 60 either side of south at sunrise
// and sunset; "south" is +Y in the landscape's frame, the side the scene's
// light has always come from.
constexpr double kDegreesPerHour = 15.0;
// The light comes from higher than the sun stands: a directional sun at
// 16 degrees would light the train's sides far more and its tops far less
// than the scene's usual light, which stands about 60 degrees up over the
// train. The noon light comes from there, a low sun from lower down, and
// never from below the horizon.
double lightElevation(double sunElevation) { return 6.0 + 3.25 * std::fmax(sunElevation, 1.0); }

// The light at one sun elevation; the states between two keys blend
// smoothly, so every value follows the elevation without a corner.
struct Key {
  double elevation;
  Rgb ambient, diffuse, specular, sceneAmbient, bounceAmbient, bounceDiffuse, tint, snow;
  double nightSky, twilight, trainLights;
};

// The lit paints of the models are made for the scene's usual light, a
// point light whose strength near the train comes to about ambient 0.65,
// diffuse 2.6 and specular 3.2 (with the scene's ambient 0.2); the midday
// key gives a directional light of that strength, so the day looks as it
// always has, and the lower sun keys warm it and take some away. At night
// the ambient light is low, so the snow on the firs darkens as the open
// ground does; the train keeps its colours by the snow's bounce, which
// only it receives: strongest when a low sun lights the snow from behind
// it, none at midday, when the sun lights the train's sides itself.
const Key kKeys[] = {
    // Deep night: cold moonlight, the snow a dim blue.
    {-18, {0.07f, 0.08f, 0.14f}, {0.45f, 0.55f, 0.9f}, {0.7f, 0.75f, 1.0f}, {0.04f, 0.045f, 0.075f},
     {0.14f, 0.16f, 0.25f}, {0.45f, 0.52f, 0.85f}, {0.24f, 0.29f, 0.5f}, {0.38f, 0.44f, 0.62f}, 1.0, 0.0, 1.0},
    // End of the blue hour: the last light over the horizon.
    {-9, {0.09f, 0.1f, 0.17f}, {0.3f, 0.36f, 0.62f}, {0.4f, 0.45f, 0.7f}, {0.045f, 0.05f, 0.085f},
     {0.14f, 0.16f, 0.25f}, {0.48f, 0.54f, 0.86f}, {0.26f, 0.30f, 0.52f}, {0.44f, 0.5f, 0.7f}, 0.9, 0.3, 1.0},
    // Blue hour: shadowless blue light, the lamps already lit.
    {-4, {0.34f, 0.36f, 0.56f}, {0.42f, 0.40f, 0.6f}, {0.35f, 0.35f, 0.5f}, {0.12f, 0.13f, 0.2f},
     {0.08f, 0.08f, 0.12f}, {0.85f, 0.85f, 1.1f}, {0.56f, 0.58f, 0.82f}, {0.62f, 0.66f, 0.85f}, 0.35, 0.9, 1.0},
    // The sun on the horizon: long warm light, rose-tinted snow.
    {1, {0.46f, 0.40f, 0.50f}, {2.1f, 1.3f, 0.75f}, {1.8f, 1.1f, 0.6f}, {0.16f, 0.15f, 0.17f},
     {0.08f, 0.07f, 0.07f}, {1.75f, 1.45f, 1.4f}, {1.0f, 0.86f, 0.80f}, {1.0f, 0.9f, 0.86f}, 0.0, 1.0, 0.35},
    // A low winter sun.
    {6, {0.56f, 0.55f, 0.6f}, {2.6f, 2.15f, 1.7f}, {2.8f, 2.4f, 2.0f}, {0.2f, 0.2f, 0.2f},
     {0.05f, 0.05f, 0.05f}, {1.15f, 1.1f, 1.05f}, {1.0f, 0.96f, 0.92f}, {1.0f, 0.97f, 0.94f}, 0.0, 0.25, 0.0},
    // Midday: the scene as it always looked.
    {12, {0.65f, 0.65f, 0.67f}, {2.6f, 2.6f, 2.55f}, {3.2f, 3.2f, 3.15f}, {0.2f, 0.2f, 0.2f},
     {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, 0.0, 0.0, 0.0},
};
constexpr size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

double smoothstep(double u) {
  u = u < 0 ? 0 : (u > 1 ? 1 : u);
  return u * u * (3 - 2 * u);
}

Rgb mix(const Rgb& a, const Rgb& b, double u) {
  Rgb out;
  for (size_t i = 0; i < 3; ++i) out[i] = static_cast<float>(a[i] + (b[i] - a[i]) * u);
  return out;
}

double mix(double a, double b, double u) { return a + (b - a) * u; }

double wrapMinutes(double minutes) {
  double m = std::fmod(minutes, kMinutesPerDay);
  return m < 0 ? m + kMinutesPerDay : m;
}

// Hour angle in degrees: 0 at noon, ±180 at midnight.
double hourAngle(double minutes) { return (wrapMinutes(minutes) / 60.0 - 12.0) * kDegreesPerHour; }

double elevationAt(double minutes) {
  return kElevationScale * (std::cos(hourAngle(minutes) * kPi / 180.0) - 0.5);
}

std::array<double, 3> towards(double bearingDegrees, double elevationDegrees) {
  double b = bearingDegrees * kPi / 180.0, e = elevationDegrees * kPi / 180.0;
  return {std::sin(b) * std::cos(e), std::cos(b) * std::cos(e), std::sin(e)};
}

// The sun while it is up, the moon once it is well down, turning smoothly
// from one to the other through the twilight.
std::array<double, 3> lightDirection(double minutes, double elevation) {
  double sunWeight = smoothstep((elevation + 10.0) / 12.0);
  std::array<double, 3> sun =
      towards(hourAngle(minutes), lightElevation(elevation));
  std::array<double, 3> moon = towards(kMoonBearing, kMoonElevation);
  std::array<double, 3> d;
  double length = 0;
  for (size_t i = 0; i < 3; ++i) {
    d[i] = mix(moon[i], sun[i], sunWeight);
    length += d[i] * d[i];
  }
  length = std::sqrt(length);
  for (double& c : d) c /= length;
  return d;
}

// The snow's bounce comes from below, on the side turned from the light:
// from the ground lit beyond the train and the open sky over it.
std::array<double, 3> bounceFrom(const std::array<double, 3>& light) {
  double across = std::hypot(light[0], light[1]);
  if (across < 1e-9) return {0, 0, -1};
  std::array<double, 3> d = {-light[0] / across, -light[1] / across, -kBounceFromBelow};
  double length = std::sqrt(1 + kBounceFromBelow * kBounceFromBelow);
  for (double& c : d) c /= length;
  return d;
}

void blendKeys(double elevation, LightState& state) {
  size_t i = 0;
  while (i + 2 < kKeyCount && elevation > kKeys[i + 1].elevation) ++i;
  const Key& a = kKeys[i];
  const Key& b = kKeys[i + 1];
  double u = smoothstep((elevation - a.elevation) / (b.elevation - a.elevation));
  state.ambient = mix(a.ambient, b.ambient, u);
  state.diffuse = mix(a.diffuse, b.diffuse, u);
  state.specular = mix(a.specular, b.specular, u);
  state.sceneAmbient = mix(a.sceneAmbient, b.sceneAmbient, u);
  state.bounceAmbient = mix(a.bounceAmbient, b.bounceAmbient, u);
  state.bounceDiffuse = mix(a.bounceDiffuse, b.bounceDiffuse, u);
  state.tint = mix(a.tint, b.tint, u);
  state.snowColour = mix(a.snow, b.snow, u);
  state.nightSky = mix(a.nightSky, b.nightSky, u);
  state.twilight = mix(a.twilight, b.twilight, u);
  state.trainLights = mix(a.trainLights, b.trainLights, u);
}

}  // namespace

std::vector<double> LightState::values() const {
  std::vector<double> list = {sunElevation / 90.0};
  for (const Rgb* colour :
       {&ambient, &diffuse, &specular, &sceneAmbient, &bounceAmbient, &bounceDiffuse, &tint, &snowColour}) {
    list.insert(list.end(), colour->begin(), colour->end());
  }
  list.insert(list.end(), direction.begin(), direction.end());
  list.insert(list.end(), bounceDirection.begin(), bounceDirection.end());
  double bearing = glowAzimuth * kPi / 180.0;
  list.insert(list.end(), {nightSky, twilight, std::cos(bearing), std::sin(bearing), trainLights});
  return list;
}

LightState lightStateAt(double minutes) {
  LightState state;
  state.sunElevation = elevationAt(minutes);
  blendKeys(state.sunElevation, state);
  state.direction = lightDirection(minutes, state.sunElevation);
  state.bounceDirection = bounceFrom(state.direction);
  state.glowAzimuth = hourAngle(minutes);
  return state;
}

DayPhase dayPhaseAt(double minutes) {
  double elevation = elevationAt(minutes);
  if (elevation >= 4.0) return DayPhase::Day;
  if (elevation <= -8.0) return DayPhase::Night;
  return wrapMinutes(minutes) < 720.0 ? DayPhase::Dawn : DayPhase::Dusk;
}

double minutesOfDay(int hour, int minute, int second) {
  return hour * 60.0 + minute + second / 60.0;
}
