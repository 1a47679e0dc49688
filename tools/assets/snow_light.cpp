#include "tools/assets/snow_light.h"

#include <algorithm>
#include <cmath>

#include "app/scene_light.h"
#include "tools/assets/dimensions.h"

namespace {

// Skylight blue, sunlight warm; their sum on open flat snow is a warm
// white just short of full white, so the brightest snow still shows its
// texture. Shelter from the sky darkens towards a cool blue-grey.
constexpr double kSky[3] = {0.48, 0.515, 0.61};
constexpr double kSun[3] = {0.405, 0.363, 0.262};
// The sun stands high, so the cosine alone would barely tell slopes from
// flats: differences from flat ground count this many times over on the
// relief, and fewer on the small detail, which would otherwise turn harsh.
constexpr double kReliefContrast = 7.0;
constexpr double kDetailContrast = 3.0;
constexpr double kFacingShare = 0.3;
constexpr double kBrightest = 1.5;
// The open sky is brightest low over the track ahead (+X, a little -Y):
// it models the detail that the sun, falling square on it, leaves flat.
const Vec3 kSkyGlow = normalized({0.75, -0.25, 0.6});
constexpr double kSkyContrast = 1.5;
constexpr double kSheltered[3] = {0.62, 0.70, 0.85};
constexpr double kHaze[3] = {0.84, 0.875, 0.94};
// Where haze starts, and how far off it is half way to its deepest.
constexpr double kClearDistance = 25.0;
constexpr double kHalfHazeDistance = 70.0;
constexpr double kDeepestHaze = 0.7;

// The detail is modelled as by a lower sun in the same quarter of the sky,
// swung a little towards +X: where the ground faces the high sun squarely,
// the sun's own cosine hardly changes over small bumps, and they would
// wash out.
Vec3 detailLight(const Vec3& sun) { return normalized({sun.x + 0.3, sun.y + 0.15, sun.z * 0.5}); }

}  // namespace

Vec3 sunDirection() {
  Vec3 bed{0, 0, dims::kTrackBedZ};
  return normalized(Vec3{kLight1Position.x, kLight1Position.y, kLight1Position.z} - bed);
}

void snowColour(const Vec3& relief, const Vec3& surface, double sky, double rgb[3]) {
  static const Vec3 sun = sunDirection(), low = detailLight(sun);
  // Flat ground: 1; turned towards the sun more, away from it less.
  double onRelief = dot(relief, sun);
  double slope = kReliefContrast * (onRelief - sun.z) / sun.z;
  // Slopes facing the sun brighten less than those turned away darken, so
  // that their detail never washes out.
  if (slope > 0) slope *= kFacingShare;
  double detail = kDetailContrast * (dot(surface, low) - dot(relief, low));
  double sunlit = std::clamp(1 + slope + detail, 0.0, kBrightest);
  double glow = std::max(0.0, 1 + kSkyContrast * (dot(surface, kSkyGlow) - dot(relief, kSkyGlow)));
  for (int c = 0; c < 3; ++c) {
    double shelter = kSheltered[c] + (1 - kSheltered[c]) * sky;
    rgb[c] = std::clamp((kSky[c] * glow + kSun[c] * sunlit) * shelter, 0.0, 1.0);
  }
}

double hazeAt(double distance) {
  double d = std::max(0.0, distance - kClearDistance);
  return kDeepestHaze * d / (d + kHalfHazeDistance - kClearDistance);
}

void applyHaze(double amount, double rgb[3]) {
  for (int c = 0; c < 3; ++c) rgb[c] += (kHaze[c] - rgb[c]) * amount;
}

void farSnowColour(double distance, double rgb[3]) {
  const Vec3 up{0, 0, 1};
  snowColour(up, up, 1.0, rgb);
  applyHaze(hazeAt(distance), rgb);
}
