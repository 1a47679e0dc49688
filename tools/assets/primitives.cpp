#include "tools/assets/primitives.h"

#include <algorithm>
#include <cmath>

namespace {

Vertex vtx(Vec3 p, Vec3 n, double s, double t) {
  Vertex v;
  v.position = p;
  v.normal = n;
  v.s = s;
  v.t = t;
  return v;
}

// One face of a box: corner origin, two edge vectors spanning it.
void boxFace(TriangleList& out, Vec3 origin, Vec3 u, Vec3 v, double tile) {
  Vec3 n = normalized(cross(u, v));
  double lu = length(u) / tile, lv = length(v) / tile;
  out.quad(vtx(origin, n, 0, lv), vtx(origin + u, n, lu, lv), vtx(origin + u + v, n, lu, 0),
           vtx(origin + v, n, 0, 0));
}

Vec3 ring(double radius, double angle, double z) {
  return {radius * std::cos(angle), radius * std::sin(angle), z};
}

void disc(TriangleList& out, double radius, double z, int segments, bool up, double tile) {
  Vec3 n{0, 0, up ? 1.0 : -1.0};
  for (int i = 0; i < segments; ++i) {
    double a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
    Vec3 p0 = ring(radius, a0, z), p1 = ring(radius, a1, z), c{0, 0, z};
    Vertex vc = vtx(c, n, 0.5, 0.5);
    Vertex v0 = vtx(p0, n, 0.5 + p0.x / (2 * tile), 0.5 + p0.y / (2 * tile));
    Vertex v1 = vtx(p1, n, 0.5 + p1.x / (2 * tile), 0.5 + p1.y / (2 * tile));
    if (up)
      out.triangle(vc, v0, v1);
    else
      out.triangle(vc, v1, v0);
  }
}

void annulus(TriangleList& out, double inner, double outer, double z, int segments, bool up) {
  Vec3 n{0, 0, up ? 1.0 : -1.0};
  for (int i = 0; i < segments; ++i) {
    double a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
    Vertex i0 = vtx(ring(inner, a0, z), n, 0, 0), i1 = vtx(ring(inner, a1, z), n, 1, 0);
    Vertex o0 = vtx(ring(outer, a0, z), n, 0, 1), o1 = vtx(ring(outer, a1, z), n, 1, 1);
    if (up)
      out.quad(i0, o0, o1, i1);
    else
      out.quad(i0, i1, o1, o0);
  }
}

// Side wall between z0 and z1; inward walls face the axis.
void wall(TriangleList& out, double radius, double z0, double z1, int segments, bool inward,
          double tile) {
  double around = 2 * kPi * radius / tile;
  for (int i = 0; i < segments; ++i) {
    double a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
    double s0 = around * i / segments, s1 = around * (i + 1) / segments;
    double sign = inward ? -1.0 : 1.0;
    Vec3 n0 = ring(sign, a0, 0), n1 = ring(sign, a1, 0);
    Vertex b0 = vtx(ring(radius, a0, z0), n0, s0, z0 / tile), b1 = vtx(ring(radius, a1, z0), n1, s1, z0 / tile);
    Vertex t0 = vtx(ring(radius, a0, z1), n0, s0, z1 / tile), t1 = vtx(ring(radius, a1, z1), n1, s1, z1 / tile);
    if (inward)
      out.quad(b0, t0, t1, b1);
    else
      out.quad(b0, b1, t1, t0);
  }
}

double cross2(Vec2 o, Vec2 a, Vec2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool insideTriangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c) {
  return cross2(a, b, p) >= 0 && cross2(b, c, p) >= 0 && cross2(c, a, p) >= 0;
}

}  // namespace

int segmentsForRadius(double radius) {
  int segments = 8;
  while (segments < 64 && radius * (1 - std::cos(kPi / segments)) > kRoundnessTolerance) segments += 4;
  return segments;
}

TriangleList makeBox(Vec3 size, double tile, bool xEnds) {
  TriangleList out;
  Vec3 h = size * 0.5;
  Vec3 X{size.x, 0, 0}, Y{0, size.y, 0}, Z{0, 0, size.z};
  boxFace(out, {-h.x, -h.y, -h.z}, Y, X, tile);  // bottom
  boxFace(out, {-h.x, -h.y, h.z}, X, Y, tile);   // top
  boxFace(out, {-h.x, -h.y, -h.z}, X, Z, tile);  // -Y
  boxFace(out, {h.x, h.y, -h.z}, X * -1, Z, tile);  // +Y
  if (!xEnds) return out;
  boxFace(out, {-h.x, h.y, -h.z}, Y * -1, Z, tile);  // -X
  boxFace(out, {h.x, -h.y, -h.z}, Y, Z, tile);       // +X
  return out;
}

TriangleList makeCylinder(double radius, double length, int segments, bool caps, double tile) {
  TriangleList out;
  wall(out, radius, 0, length, segments, false, tile);
  if (caps) {
    disc(out, radius, 0, segments, false, tile);
    disc(out, radius, length, segments, true, tile);
  }
  return out;
}

TriangleList makeTube(double innerRadius, double outerRadius, double length, int segments,
                      double tile, bool outerWall) {
  TriangleList out;
  if (outerWall) wall(out, outerRadius, 0, length, segments, false, tile);
  wall(out, innerRadius, 0, length, segments, true, tile);
  annulus(out, innerRadius, outerRadius, 0, segments, false);
  annulus(out, innerRadius, outerRadius, length, segments, true);
  return out;
}

TriangleList makeLathe(const std::vector<Vec2>& profile, int segments, bool closeEnds, double tile) {
  TriangleList out;
  size_t n = profile.size();
  if (n < 2 || segments < 3) return out;
  // Profile normals in the (r, z) plane: average of the adjacent edges'.
  std::vector<Vec2> normal2(n);
  for (size_t i = 0; i < n; ++i) {
    Vec2 a = profile[i > 0 ? i - 1 : i], b = profile[i + 1 < n ? i + 1 : i];
    double dr = b.x - a.x, dz = b.y - a.y, len = std::hypot(dr, dz);
    normal2[i] = len > 0 ? Vec2{dz / len, -dr / len} : Vec2{1, 0};
  }
  std::vector<double> along(n, 0.0);
  for (size_t i = 1; i < n; ++i)
    along[i] = along[i - 1] + std::hypot(profile[i].x - profile[i - 1].x, profile[i].y - profile[i - 1].y);
  for (size_t i = 0; i + 1 < n; ++i) {
    for (int k = 0; k < segments; ++k) {
      double a0 = 2 * kPi * k / segments, a1 = 2 * kPi * (k + 1) / segments;
      auto at = [&](size_t j, double a, int kk) {
        Vec3 p = ring(profile[j].x, a, profile[j].y);
        Vec3 nn{normal2[j].x * std::cos(a), normal2[j].x * std::sin(a), normal2[j].y};
        return vtx(p, normalized(nn), double(kk) / segments * 4.0, along[j] / tile);
      };
      out.quad(at(i, a0, k), at(i, a1, k + 1), at(i + 1, a1, k + 1), at(i + 1, a0, k));
    }
  }
  if (closeEnds) {
    if (profile.front().x > 1e-9) disc(out, profile.front().x, profile.front().y, segments, false, tile);
    if (profile.back().x > 1e-9) disc(out, profile.back().x, profile.back().y, segments, true, tile);
  }
  return out;
}

static double signedArea(const std::vector<Vec2>& outline) {
  double area = 0;
  for (size_t i = 0; i < outline.size(); ++i) {
    Vec2 a = outline[i], b = outline[(i + 1) % outline.size()];
    area += a.x * b.y - b.x * a.y;
  }
  return area / 2;
}

std::vector<int> triangulatePolygon(const std::vector<Vec2>& outline) {
  std::vector<int> result, idx;
  for (size_t i = 0; i < outline.size(); ++i) idx.push_back(int(i));
  size_t guard = 0;
  while (idx.size() > 3 && guard++ < outline.size() * outline.size()) {
    bool clipped = false;
    for (size_t i = 0; i < idx.size(); ++i) {
      int a = idx[(i + idx.size() - 1) % idx.size()], b = idx[i], c = idx[(i + 1) % idx.size()];
      if (cross2(outline[a], outline[b], outline[c]) <= 1e-12) continue;
      bool empty = true;
      for (int other : idx)
        if (other != a && other != b && other != c &&
            insideTriangle(outline[other], outline[a], outline[b], outline[c]))
          empty = false;
      if (!empty) continue;
      result.insert(result.end(), {a, b, c});
      idx.erase(idx.begin() + long(i));
      clipped = true;
      break;
    }
    if (!clipped) break;  // degenerate outline: keep what was found
  }
  if (idx.size() == 3) result.insert(result.end(), {idx[0], idx[1], idx[2]});
  return result;
}

TriangleList makeExtrusion(const std::vector<Vec2>& given, double depth, double tile) {
  TriangleList out;
  // Work counter-clockwise whatever order the caller listed the points in.
  std::vector<Vec2> outline = given;
  if (signedArea(outline) < 0) std::reverse(outline.begin(), outline.end());
  std::vector<int> tris = triangulatePolygon(outline);
  for (size_t i = 0; i + 2 < tris.size(); i += 3) {
    Vec2 a = outline[tris[i]], b = outline[tris[i + 1]], c = outline[tris[i + 2]];
    auto top = [&](Vec2 p) { return vtx({p.x, p.y, depth}, {0, 0, 1}, p.x / tile, -p.y / tile); };
    auto bottom = [&](Vec2 p) { return vtx({p.x, p.y, 0}, {0, 0, -1}, p.x / tile, -p.y / tile); };
    out.triangle(top(a), top(b), top(c));
    out.triangle(bottom(a), bottom(c), bottom(b));
  }
  double run = 0;
  for (size_t i = 0; i < outline.size(); ++i) {
    Vec2 a = outline[i], b = outline[(i + 1) % outline.size()];
    double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len < 1e-12) continue;
    Vec3 n{(b.y - a.y) / len, -(b.x - a.x) / len, 0};
    double s0 = run / tile, s1 = (run + len) / tile;
    out.quad(vtx({a.x, a.y, 0}, n, s0, depth / tile), vtx({b.x, b.y, 0}, n, s1, depth / tile),
             vtx({b.x, b.y, depth}, n, s1, 0), vtx({a.x, a.y, depth}, n, s0, 0));
    run += len;
  }
  return out;
}

TriangleList makeHeightField(const HeightFunction& height, double x0, double x1, double y0,
                             double y1, int nx, int ny, double tileX, double tileY) {
  TriangleList out;
  double dx = (x1 - x0) / nx, dy = (y1 - y0) / ny;
  auto at = [&](int i, int j) {
    double x = x0 + dx * i, y = y0 + dy * j;
    double e = 0.25 * std::min(dx, dy);
    Vec3 n{-(height(x + e, y) - height(x - e, y)) / (2 * e), -(height(x, y + e) - height(x, y - e)) / (2 * e), 1};
    return vtx({x, y, height(x, y)}, normalized(n), (x - x0) / tileX, (y - y0) / tileY);
  };
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) out.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
  return out;
}

TriangleList makeQuad(Vec2 c, double w, double h) {
  TriangleList out;
  Vec3 n{0, 0, 1};
  double l = c.x - w / 2, r = c.x + w / 2, b = c.y - h / 2, t = c.y + h / 2;
  out.quad(vtx({l, b, 0}, n, 0, 1), vtx({r, b, 0}, n, 1, 1), vtx({r, t, 0}, n, 1, 0), vtx({l, t, 0}, n, 0, 0));
  return out;
}

TriangleList makeSphere(double radius, int segments, int rings) {
  std::vector<Vec2> profile;
  for (int i = 0; i <= rings; ++i) {
    double a = -kPi / 2 + kPi * i / rings;
    profile.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return makeLathe(profile, segments, false);
}
