#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/dimensions.h"
#include "tools/assets/parts.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"
#include "tools/assets/snow_paint.h"
#include "tools/assets/telegraph_line.h"
#include "tools/assets/terrain_height.h"
#include "tools/assets/track_paint.h"

// Terrain pieces "relef1" and "relef2" and the track "relsi". All are drawn
// unlit, so their textures carry every shade. Each terrain model is one
// snow surface with its own baked texture, the ballast bed under the track
// and the telegraph line beside it; the track is two rails on sleepers over
// the piece's 200 units.

namespace {

constexpr double kX0 = dims::kTerrainStartX;
constexpr double kX1 = dims::kTerrainStartX + dims::kTerrainLength;
constexpr double kY0 = -dims::kTerrainHalfWidth;
constexpr double kDepth = 2 * dims::kTerrainHalfWidth;
constexpr int kGroundTextureSize = 1024;
constexpr double kSleeperSpacing = 1.6;
constexpr double kSleeperHalfWidth = 0.35;   // along the track
constexpr double kSleeperHalfLength = 3.1;   // across it
// Both terrain textures share their detail noise: at the pieces' ends,
// where the ground is the same, the textures then match texel for texel.
constexpr uint32_t kSnowSeed = 61;
// Over this many units at either end the shaded relief eases into the
// shared end profile.
constexpr double kEndBlend = 15.0;

// Snow lies over the track bed's shoulders from here out, a little above
// the ballast, so the shoulders take the ground's own painted light and
// detail; nearer the track the ballast shows.
constexpr double kShoulderSnowFrom = 3.7;
constexpr double kShoulderSnowDepth = 0.05;

// Grid lines across the track: fine near the track, and through every
// planting spot's y so spots fall on vertices, coarse on the far slopes.
// Under the bed's flat top the snow is hidden and flat: one strip spans it;
// on the shoulders lines follow the snow's rise over the ballast.
std::vector<double> acrossLines() {
  std::vector<double> ys;
  for (double y = kY0; y < -60; y += 10) ys.push_back(y);
  for (double y : {-60.0, -52.5, -45.0, -37.5}) ys.push_back(y);
  for (int k = -12; k <= 12; ++k) {
    if (std::fabs(2.5 * k) < kBallastHalfWidth - 1) {
      if (k == 0) {
        for (double y : {-4.4, -kShoulderSnowFrom, -kBallastShoulder - 0.2, kBallastShoulder + 0.2,
                         kShoulderSnowFrom, 4.4})
          ys.push_back(y);
      }
      continue;
    }
    ys.push_back(2.5 * k);
    if (k == 12) ys.push_back(30.39);
  }
  for (double y : {37.5, 45.0, 52.5, 60.0}) ys.push_back(y);
  for (double y = 70; y <= -kY0 + 1e-9; y += 10) ys.push_back(y);
  return ys;
}

// The snow's surface: the ground, and over the bed's shoulders a thin
// layer on the ballast.
double snowSurface(const TerrainHeight& h, double x, double y) {
  double ground = h(x, y);
  if (std::fabs(y) < kShoulderSnowFrom - 1e-9 || std::fabs(y) > kBallastHalfWidth) return ground;
  return std::max(ground, ballastHeight(y) + kShoulderSnowDepth);
}

Vertex groundVertex(const TerrainHeight& h, double x, double y) {
  const double e = 0.5;
  auto z = [&](double px, double py) { return snowSurface(h, px, py); };
  Vertex v;
  v.position = {x, y, z(x, y)};
  v.normal = normalized({-(z(x + e, y) - z(x - e, y)) / (2 * e), -(z(x, y + e) - z(x, y - e)) / (2 * e), 1});
  v.s = (x - kX0) / dims::kTerrainLength;
  v.t = (y - kY0) / kDepth;
  return v;
}

TriangleList groundSurface(const TerrainHeight& h) {
  TriangleList out;
  std::vector<double> ys = acrossLines();
  const int columns = 40;
  for (size_t j = 0; j + 1 < ys.size(); ++j)
    for (int i = 0; i < columns; ++i) {
      double xa = kX0 + dims::kTerrainLength * i / columns, xb = kX0 + dims::kTerrainLength * (i + 1) / columns;
      out.quad(groundVertex(h, xa, ys[j]), groundVertex(h, xb, ys[j]), groundVertex(h, xb, ys[j + 1]),
               groundVertex(h, xa, ys[j + 1]));
    }
  return out;
}

double smoothstep(double u) {
  u = std::clamp(u, 0.0, 1.0);
  return u * u * (3 - 2 * u);
}

// The relief a terrain texture is shaded from: the piece's own in its
// middle, easing into the shared end profile towards either end and that
// profile beyond, so both kinds' textures agree where pieces meet. The
// track bed stands in it, so the snow beside it lies in its shelter.
GroundHeight shadedRelief(const TerrainHeight& h) {
  return [h](double x, double y) {
    double keep = smoothstep(std::min(x - kX0, kX1 - x) / kEndBlend);
    double profile = crossProfile(y);
    double ground = profile + keep * (h(x, y) - profile);
    double bed = std::fabs(y) < kSleeperHalfLength ? dims::kSleeperTopZ : ballastHeight(y);
    return std::fabs(y) < kBallastHalfWidth ? std::max(ground, bed) : ground;
  };
}

std::vector<uint8_t> paintTerrainSnow(int kind) {
  SnowGround g;
  g.height = shadedRelief(TerrainHeight(kind));
  g.x0 = kX0;
  g.width = dims::kTerrainLength;
  g.y0 = kY0;
  g.depth = kDepth;
  g.size = kGroundTextureSize;
  g.seed = kSnowSeed;
  g.distance = [](double, double y) { return std::fabs(y); };
  g.trackside = true;
  for (double x : telegraph::polePositions()) g.posts.push_back({x, telegraph::kLineY});
  g.postHeight = telegraph::kPoleHeight;
  return paintSnowGround(g);
}

// The bed's texture spans two sleeper pitches along the track and the bed's
// whole width across it, so its cribs lie between the sleepers.
TriangleList ballastBed() {
  auto height = [](double, double y) { return ballastHeight(y); };
  return makeHeightField(height, kX0, kX1, -kBallastHalfWidth, kBallastHalfWidth, 50, 6, 2 * kSleeperSpacing,
                         2 * kBallastHalfWidth);
}

TrackBedLayout trackBedLayout() {
  return {kSleeperSpacing, kSleeperHalfWidth, kSleeperHalfLength, dims::kGaugeHalf, kBallastShoulder, kBallastHalfWidth};
}

Model terrainModel(int kind, const std::string& texture) {
  Model m;
  TerrainHeight h(kind);
  m.part(texture, unlitMaterial()).triangles = groundSurface(h);
  m.part("ballast.png", unlitMaterial()).triangles = ballastBed();
  m.part("stolby.png", unlitMaterial()).triangles = telegraphLine(h);
  return m;
}

std::vector<uint8_t> paintFlat(int size, double r, double g, double b, double noise, uint32_t seed,
                               bool streaks) {
  Canvas c(size, size);
  c.flush();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double n = streaks ? valueNoise(x / 16.0, y / 1.5, seed, size / 16) : valueNoise(x / 4.0, y / 4.0, seed, size / 4);
      double k = 1 + noise * (n - 0.5);
      c.setPixel(x, y, r * k, g * k, b * k, 1);
    }
  c.markDirty();
  return c.png();
}

// Rail cross-section in (y, z) relative to the rail's centre line at the
// sleeper top: foot, web, head; 0.55 tall so the head meets the wheels.
std::vector<Vec2> railSection() {
  const double r = dims::kRailHeight;
  return {{-0.3, 0},         {0.3, 0},          {0.3, 0.08},      {0.07, 0.14},
          {0.07, r - 0.18},  {0.16, r - 0.15}, {0.16, r},        {-0.16, r},
          {-0.16, r - 0.15}, {-0.07, r - 0.18}, {-0.07, 0.14},   {-0.3, 0.08}};
}

// The list without its faces turned straight down: they lie in the
// ground, and the eye is always above it.
TriangleList withoutUndersides(const TriangleList& list) {
  TriangleList out;
  for (size_t k = 0; k + 2 < list.vertices.size(); k += 3) {
    const Vertex* t = &list.vertices[k];
    Vec3 n = normalized(cross(t[1].position - t[0].position, t[2].position - t[0].position));
    if (n.z < -0.999) continue;
    out.triangle(t[0], t[1], t[2]);
  }
  return out;
}

Model railsModel() {
  Model m;
  // Extrude along Z, then turn so that Z runs along X, the section's x
  // across (Y) and its y up (Z).
  Affine alongTrack = compose(rotationY(90), rotationZ(90));
  for (double s : {-1.0, 1.0}) {
    Affine at = compose(translation({kX0, s * dims::kGaugeHalf, dims::kSleeperTopZ}), alongTrack);
    m.part("rust.png", unlitMaterial()).triangles.append(makeExtrusion(railSection(), dims::kTerrainLength, 1.0), at);
    TriangleList top = makeQuad({dims::kTerrainLength / 2, 0}, dims::kTerrainLength, 0.3);
    m.part("polish.png", unlitMaterial())
        .triangles.append(top, translation({kX0, s * dims::kGaugeHalf, dims::kRailTopZ + 0.002}));
  }
  for (double x = kX0 + kSleeperSpacing / 2; x < kX1; x += kSleeperSpacing) {
    TriangleList sleeper = boxBetween({x - kSleeperHalfWidth, -kSleeperHalfLength, dims::kSleeperTopZ - 0.3},
                                      {x + kSleeperHalfWidth, kSleeperHalfLength, dims::kSleeperTopZ}, 2.0);
    m.part("sleeper.png", unlitMaterial()).triangles.append(withoutUndersides(sleeper));
  }
  return m;
}

}  // namespace

void addLandscape(ArchiveContent& a) {
  a.addModel("relef1", terrainModel(1, "relef1.png"));
  a.addModel("relef2", terrainModel(2, "relef2.png"));
  a.addModel("relsi", railsModel());
  a.addImage("relef1.png", paintTerrainSnow(1));
  a.addImage("relef2.png", paintTerrainSnow(2));
  a.addImage("ballast.png", paintTrackBed(trackBedLayout()));
  a.addImage("stolby.png", paintTelegraphLine());
  a.addImage("rust.png", paintFlat(64, 0.42, 0.30, 0.24, 0.35, 71, true));
  a.addImage("polish.png", paintFlat(32, 0.78, 0.80, 0.84, 0.2, 72, true));
  a.addImage("sleeper.png", paintFlat(64, 0.36, 0.27, 0.20, 0.5, 73, true));
}
