#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/assets/canvas.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// "smouke": one puff of the chimney's smoke, drawn facing the viewer and
// blended. Many overlap, so each is soft and mostly translucent.

namespace {
constexpr const char* kPuffTexture = "smoke.png";
constexpr double kPuffSize = 3.2;
constexpr int kPuffTexels = 128;
// Sides of the polygon the puff is drawn as: four, the rectangle round its
// visible texels. More sides leave out more transparent fragments but add
// triangles, each set up and binned for every tile it touches, which on
// the small sprites of this scene did not come out cheaper.
constexpr int kOutlineSides = 4;

// The puff's picture at (u, v), both -1..1 across the square, v downwards.
Rgba puffColour(double u, double v) {
  double r = std::sqrt(u * u + v * v);
  // Billowy rim: the radius where the puff fades wobbles with angle.
  double angle = std::atan2(v, u);
  double edge = 0.78 + 0.1 * std::sin(3 * angle + 0.5) + 0.06 * std::sin(7 * angle + 1.3);
  double body = std::clamp(1.0 - r / edge, 0.0, 1.0);
  double billow = fractalNoise(u * 3 + 7, v * 3 + 7, 41, 3);
  double alpha = std::pow(body, 0.9) * (0.3 + 0.7 * billow) * 0.55;
  if (r >= 0.98) alpha = 0;
  double shade = 0.42 + 0.2 * (1 - (v + 1) / 2) + 0.1 * billow;  // lighter on top
  return Rgba{shade, shade, shade * 1.02, alpha};
}

// How far the puff's visible texels reach from the centre in each of the
// outline's side directions, in texels. A texel counts as visible when
// its alpha does not round to 0; it reaches one texel further on every
// side, since linear filtering blends it into samples up to half a texel
// beyond its edge.
std::vector<double> visibleReach() {
  std::vector<double> reach(kOutlineSides, 0.0);
  const double half = kPuffTexels / 2.0;
  for (int y = 0; y < kPuffTexels; ++y)
    for (int x = 0; x < kPuffTexels; ++x) {
      Rgba c = puffColour((x + 0.5) / half - 1, (y + 0.5) / half - 1);
      if (c.a * 255.0 < 0.5) continue;
      for (int side = 0; side < kOutlineSides; ++side) {
        double angle = 2 * kPi * side / kOutlineSides;
        for (double cx : {x - 1.0, x + 2.0})
          for (double cy : {y - 1.0, y + 2.0}) {
            double along = (cx - half) * std::cos(angle) + (cy - half) * std::sin(angle);
            reach[side] = std::max(reach[side], along);
          }
      }
    }
  return reach;
}

// The puff as a polygon around its visible texels instead of the whole
// square: the rasteriser blends every fragment of every puff, and the
// square's rim is fully transparent. Same texel mapping as
// the square (its top-left corner at texture coordinates 0, 0), so the
// picture is the same.
TriangleList makePuffOutline() {
  std::vector<double> reach = visibleReach();
  const double half = kPuffTexels / 2.0, scale = kPuffSize / kPuffTexels;
  std::vector<Vertex> corners;
  for (int side = 0; side < kOutlineSides; ++side) {
    // Where the lines of this side and the next meet.
    int next = (side + 1) % kOutlineSides;
    double a0 = 2 * kPi * side / kOutlineSides, a1 = 2 * kPi * next / kOutlineSides;
    double det = std::sin(a1 - a0);
    double tx = (reach[side] * std::sin(a1) - reach[next] * std::sin(a0)) / det;
    double ty = (reach[next] * std::cos(a0) - reach[side] * std::cos(a1)) / det;
    double px = std::clamp(half + tx, 0.0, double(kPuffTexels));
    double py = std::clamp(half + ty, 0.0, double(kPuffTexels));
    Vertex corner;
    corner.position = {(px - half) * scale, (half - py) * scale, 0};
    corner.normal = {0, 0, 1};
    corner.s = px / kPuffTexels;
    corner.t = py / kPuffTexels;
    corners.push_back(corner);
  }
  TriangleList out;
  // Counter-clockwise as seen from the front: texel rows run downwards.
  for (int i = 1; i + 1 < kOutlineSides; ++i) out.triangle(corners[0], corners[i + 1], corners[i]);
  return out;
}

}  // namespace

Model makeSmokePuff() {
  Model m;
  // Mostly ambient: near the chimney the light is strong, far back along
  // the trail it has faded, so puffs darken as they drift away.
  Material mat = litMaterial(1.0f, 1.0f, 1.05f, 0, 0);
  for (int i = 0; i < 3; ++i) mat.diffuse[i] = 0.15f;
  mat.blended = true;
  m.part(kPuffTexture, mat).triangles = makePuffOutline();
  return m;
}

void addSmokeImages(ArchiveContent& archive) {
  Canvas c(kPuffTexels, kPuffTexels);
  paintCentred(c, puffColour);
  archive.addImage(kPuffTexture, c.png());
}
