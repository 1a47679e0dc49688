#include "tools/assets/terrain_height.h"

#include <cmath>
#include <cstddef>

#include "tools/assets/dimensions.h"
#include "tools/assets/geometry.h"

namespace {

// Control points (y, z) of the cross profile, interpolated by a monotone
// cubic so the slopes never overshoot. The points at y = 22.5, -30, 45 and
// -52.5 carry the planting spots that lie on a piece's ends, where no bump
// reaches: those spots stand on the profile itself. At y = 45 the first
// kind's spot at its end asks for -7.19 and the second kind's at its start
// for -7.67: the ground takes the higher, and the lower plant's foot lies
// 0.48 under the snow.
const Vec2 kProfile[] = {{-130, 15},   {-100, 14.5}, {-80, 12.5}, {-65, 9.5}, {-52.5, 8.55},
                         {-40, 0.0},   {-30, -4.56}, {-18, -5.6}, {-9, -6.0}, {-5.5, -6.3},
                         {5.5, -6.3},  {9, -6.0},    {16, -4.6},  {22.5, -3.22}, {32, -5.0},
                         {45, -7.19},  {55, -13},    {62, -18},   {72, -24},  {85, -27.5},
                         {100, -28.5}, {130, -28.5}};
constexpr size_t kProfileCount = sizeof kProfile / sizeof kProfile[0];

// Width of each spot's bump, in scene units: wide enough to read as
// rolling ground, narrow enough to stay solvable for spots 12 units apart.
constexpr double kBumpWidth = 17.0;
// Below this the bumps' taper counts as zero: the spot lies on an end.
constexpr double kOnEnd = 1e-9;

double profileSlope(size_t j) {
  if (j == 0 || j + 1 >= kProfileCount) return 0.0;
  double d0 = (kProfile[j].y - kProfile[j - 1].y) / (kProfile[j].x - kProfile[j - 1].x);
  double d1 = (kProfile[j + 1].y - kProfile[j].y) / (kProfile[j + 1].x - kProfile[j].x);
  if (d0 * d1 <= 0) return 0.0;
  return 2 / (1 / d0 + 1 / d1);  // harmonic mean keeps it monotone
}

double smoothstep(double u) {
  u = u < 0 ? 0 : (u > 1 ? 1 : u);
  return u * u * (3 - 2 * u);
}

const std::vector<PlantingSpot> kNoSpots;

// Solves a x = b in place by Gaussian elimination with partial pivoting.
std::vector<double> solveLinear(std::vector<std::vector<double>> a, std::vector<double> b) {
  size_t n = b.size();
  for (size_t i = 0; i < n; ++i) {
    size_t pivot = i;
    for (size_t r = i + 1; r < n; ++r)
      if (std::fabs(a[r][i]) > std::fabs(a[pivot][i])) pivot = r;
    std::swap(a[i], a[pivot]);
    std::swap(b[i], b[pivot]);
    if (std::fabs(a[i][i]) < 1e-12) continue;
    for (size_t r = 0; r < n; ++r) {
      if (r == i) continue;
      double f = a[r][i] / a[i][i];
      for (size_t c = i; c < n; ++c) a[r][c] -= f * a[i][c];
      b[r] -= f * b[i];
    }
  }
  std::vector<double> x(n, 0.0);
  for (size_t i = 0; i < n; ++i)
    if (std::fabs(a[i][i]) >= 1e-12) x[i] = b[i] / a[i][i];
  return x;
}

}  // namespace

const std::vector<PlantingSpot>& plantingSpots(int kind) {
  if (kind == 1) return plantingSpotTable(FirstReliefSpots);
  if (kind == 2) return plantingSpotTable(SecondReliefSpots);
  return kNoSpots;
}

double crossProfile(double y) {
  if (y <= kProfile[0].x) return kProfile[0].y;
  if (y >= kProfile[kProfileCount - 1].x) return kProfile[kProfileCount - 1].y;
  size_t i = 0;
  while (i + 2 < kProfileCount && y > kProfile[i + 1].x) ++i;
  double h = kProfile[i + 1].x - kProfile[i].x, t = (y - kProfile[i].x) / h;
  double m0 = profileSlope(i) * h, m1 = profileSlope(i + 1) * h;
  double t2 = t * t, t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * kProfile[i].y + (t3 - 2 * t2 + t) * m0 +
         (-2 * t3 + 3 * t2) * kProfile[i + 1].y + (t3 - t2) * m1;
}

double ballastHeight(double y) {
  const double top = -6.0, shoulder = kBallastShoulder, foot = -6.4;
  double a = std::fabs(y);
  if (a <= shoulder) return top;
  return top + (foot - top) * std::min(1.0, (a - shoulder) / (kBallastHalfWidth - shoulder));
}

double alongTaper(double x) {
  return std::sin(kPi * (x - dims::kTerrainStartX) / dims::kTerrainLength);
}

double acrossTaper(double y) {
  double a = std::fabs(y);
  if (a < 80) return smoothstep((a - 5) / 3);
  return 1 - smoothstep((a - 80) / 25);
}

TerrainHeight::TerrainHeight(int kind) {
  // Spots on an end lie where no bump reaches: they stand on the shared
  // profile.
  for (const PlantingSpot& s : plantingSpots(kind))
    if (std::fabs(alongTaper(s.x)) >= kOnEnd) spots_.push_back(s);
  size_t n = spots_.size();
  std::vector<std::vector<double>> a(n, std::vector<double>(n));
  std::vector<double> b(n);
  for (size_t i = 0; i < n; ++i) {
    const PlantingSpot& s = spots_[i];
    double taper = alongTaper(s.x) * acrossTaper(s.y);
    for (size_t j = 0; j < n; ++j) {
      double dx = s.x - spots_[j].x, dy = s.y - spots_[j].y;
      a[i][j] = taper * std::exp(-(dx * dx + dy * dy) / (kBumpWidth * kBumpWidth));
    }
    b[i] = s.z - crossProfile(s.y);
  }
  weights_ = solveLinear(a, b);
}

double TerrainHeight::bump(double x, double y) const {
  double sum = 0;
  for (size_t j = 0; j < spots_.size(); ++j) {
    double dx = x - spots_[j].x, dy = y - spots_[j].y;
    double d2 = dx * dx + dy * dy;
    if (d2 < 36 * kBumpWidth * kBumpWidth) sum += weights_[j] * std::exp(-d2 / (kBumpWidth * kBumpWidth));
  }
  return sum;
}

double TerrainHeight::operator()(double x, double y) const {
  return crossProfile(y) + alongTaper(x) * acrossTaper(y) * bump(x, y);
}
