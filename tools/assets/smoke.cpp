#include <algorithm>
#include <cmath>

#include "tools/assets/canvas.h"
#include "tools/assets/primitives.h"
#include "tools/assets/scene_models.h"

// "smouke": one puff of the chimney's smoke, drawn facing the viewer and
// blended. Coal smoke is grey, so the trail reads against sunlit snow and
// a pale sky alike; many puffs overlap near the chimney, where the trail
// tends to their own colour, so that colour is a mid grey rather than a
// dark one, and each puff is dense only in its core and thins to wisps.

namespace {
constexpr const char* kPuffTexture = "smoke.png";
constexpr double kPuffSize = 3.2;
constexpr int kPuffTexels = 128;

// How much smoke lies at (u, v): a billowy body whose rim wobbles with the
// angle, densest in its core, broken up by noise (on axes turned off the
// texel grid, so no rows or columns show) so the rim frays into wisps.
double density(double u, double v) {
  double r = std::sqrt(u * u + v * v);
  double angle = std::atan2(v, u);
  double edge = 0.8 + 0.09 * std::sin(3 * angle + 0.5) + 0.05 * std::sin(7 * angle + 1.3);
  double body = std::clamp(1.0 - r / edge, 0.0, 1.0);
  double a = u * 0.87 - v * 0.5, b = u * 0.5 + v * 0.87;
  double billow = fractalNoise(a * 3 + 7, b * 3 + 7, 41, 3);
  return std::pow(body, 1.5) * (0.3 + 0.9 * billow);
}

// The puff's picture at (u, v), both -1..1 across the square, v downwards.
Rgba puffColour(double u, double v) {
  if (u * u + v * v >= 0.95 * 0.95) return Rgba{0.5, 0.5, 0.5, 0};
  double rho = density(u, v);
  // Opacity saturates in the core: even the densest smoke lets a little
  // through, so overlapping puffs never close into a solid blot.
  double alpha = 0.62 * (1 - std::exp(-2.6 * rho));
  // Lit from above by the sky: lighter on the puff's upper side, a little
  // shaded under its billows (where more smoke lies just above).
  double above = density(u, v - 0.15);
  double shade = 0.4 + 0.17 * (1 - (v + 1) / 2) - 0.1 * std::clamp(above - rho, -0.5, 0.5);
  return Rgba{shade * 1.03, shade, shade * 0.96, alpha};
}

// The rectangle round the puff's visible texels, in texels: a texel counts
// as visible when its alpha does not round to 0, and it reaches one texel
// further on every side, since linear filtering blends it into samples up
// to half a texel beyond its edge.
struct TexelBox {
  double left, top, right, bottom;
};

TexelBox visibleBox() {
  TexelBox box{double(kPuffTexels), double(kPuffTexels), 0.0, 0.0};
  const double half = kPuffTexels / 2.0;
  for (int y = 0; y < kPuffTexels; ++y)
    for (int x = 0; x < kPuffTexels; ++x) {
      if (puffColour((x + 0.5) / half - 1, (y + 0.5) / half - 1).a * 255.0 < 0.5) continue;
      box = {std::min(box.left, x - 1.0), std::min(box.top, y - 1.0), std::max(box.right, x + 2.0),
             std::max(box.bottom, y + 2.0)};
    }
  return {std::max(box.left, 0.0), std::max(box.top, 0.0), std::min(box.right, double(kPuffTexels)),
          std::min(box.bottom, double(kPuffTexels))};
}

// The puff drawn as the rectangle round its visible texels instead of the
// whole square: the rasteriser blends every fragment of every puff, and
// the square's rim is fully transparent. A polygon hugging the rim more
// closely leaves out more fragments but adds triangles, each set up and
// binned for every tile it touches, which on the small sprites of this
// scene did not come out cheaper. Same texel mapping as the square (its
// top-left corner at texture coordinates 0, 0), so the picture is the same.
TriangleList makePuffOutline() {
  TexelBox box = visibleBox();
  const double half = kPuffTexels / 2.0, scale = kPuffSize / kPuffTexels;
  auto corner = [&](double px, double py) {
    Vertex v;
    v.position = {(px - half) * scale, (half - py) * scale, 0};
    v.normal = {0, 0, 1};
    v.s = px / kPuffTexels;
    v.t = py / kPuffTexels;
    return v;
  };
  Vertex topLeft = corner(box.left, box.top), topRight = corner(box.right, box.top);
  Vertex bottomRight = corner(box.right, box.bottom), bottomLeft = corner(box.left, box.bottom);
  TriangleList out;
  // Counter-clockwise as seen from the front: texel rows run downwards.
  out.triangle(bottomRight, topLeft, bottomLeft);
  out.triangle(bottomRight, topRight, topLeft);
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
