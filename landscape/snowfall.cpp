#include "landscape/snowfall.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "landscape/terrain.h"

namespace {

// Flakes drawn within this many units of a face of the cube fade out there.
constexpr double kFadeDepth = 10.0;

// Uniform in [low, high) from the generator's raw output, the same on
// every standard library (the library's distributions may differ).
class Draw {
 public:
  explicit Draw(unsigned seed) : generator_(seed) {}
  float between(double low, double high) {
    double unit = static_cast<double>(generator_()) / 4294967296.0;
    return static_cast<float>(low + (high - low) * unit);
  }

 private:
  std::mt19937 generator_;
};

// `value` moved by whole cubes into the cube round `centre`, and how far
// it then is from the nearer face. The whole cubes are subtracted rather
// than taken by fmod: exact too (the cube is a whole number, the count
// small) and several times cheaper; the two checks mend a quotient that
// rounded across a whole number.
double wrap(double value, double centre, double& inside) {
  double low = centre - kSnowCube / 2;
  double from = value - low;
  double offset = from - kSnowCube * std::floor(from / kSnowCube);
  if (offset < 0) offset += kSnowCube;
  if (offset >= kSnowCube) offset -= kSnowCube;
  inside = std::min(offset, kSnowCube - offset);
  return low + offset;
}

}  // namespace

size_t flakeCount(Snowfall snowfall) {
  switch (snowfall) {
    case Snowfall::Light: return 1500;
    case Snowfall::Steady: return 3000;
    case Snowfall::Heavy: return 6000;
    default: return 0;
  }
}

SnowField::SnowField(Snowfall snowfall, unsigned seed) {
  // A stream of its own: the scene's sequence stays what it is without snow.
  Draw draw(seed ^ 0x9e3779b9u);
  flakes_.resize(flakeCount(snowfall));
  for (Flake& f : flakes_) {
    f.x0 = draw.between(0, kSnowCube);
    f.y0 = draw.between(0, kSnowCube);
    f.z0 = draw.between(0, kSnowCube);
    // The air stands still over the ground, which passes the train at the
    // terrain's speed; a light wind adds a little along and across.
    f.vx = static_cast<float>(kTerrainSpeed) + draw.between(-1.5, 1.0);
    f.vy = draw.between(0.8, 2.2);
    f.vz = -draw.between(2.0, 3.6);
    f.flutter = draw.between(0.15, 0.6);
    f.flutterRate = draw.between(0.8, 2.2);
    f.flutterPhase = draw.between(0.0, 6.28318530717956);
    f.halfSize = draw.between(0.08, 0.16);
  }
}

void SnowField::flakesAt(double timeMs, double cx, double cy, double cz,
                         std::vector<FlakeSpot>& out) const {
  out.resize(flakes_.size());
  const double seconds = timeMs / 1000.0;
  for (size_t i = 0; i < flakes_.size(); ++i) {
    const Flake& f = flakes_[i];
    double swing = f.flutterRate * seconds + f.flutterPhase;
    double x = f.x0 + f.vx * seconds + f.flutter * std::sin(swing);
    double y = f.y0 + f.vy * seconds + f.flutter * std::cos(0.7 * swing);
    double z = f.z0 + f.vz * seconds;
    double inX = 0, inY = 0, inZ = 0;
    FlakeSpot& spot = out[i];
    spot.x = static_cast<float>(wrap(x, cx, inX));
    spot.y = static_cast<float>(wrap(y, cy, inY));
    spot.z = static_cast<float>(wrap(z, cz, inZ));
    spot.halfSize = f.halfSize;
    double nearest = std::min(inX, std::min(inY, inZ));
    spot.presence = static_cast<float>(std::min(1.0, nearest / kFadeDepth));
  }
}
