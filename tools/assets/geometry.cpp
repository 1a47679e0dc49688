#include "tools/assets/geometry.h"

#include <algorithm>
#include <limits>

Vec3 Affine::normal(Vec3 n) const {
  // Cofactor matrix (inverse transpose times determinant).
  const double(&a)[3][3] = m;
  double c[3][3] = {
      {a[1][1] * a[2][2] - a[1][2] * a[2][1], a[1][2] * a[2][0] - a[1][0] * a[2][2],
       a[1][0] * a[2][1] - a[1][1] * a[2][0]},
      {a[0][2] * a[2][1] - a[0][1] * a[2][2], a[0][0] * a[2][2] - a[0][2] * a[2][0],
       a[0][1] * a[2][0] - a[0][0] * a[2][1]},
      {a[0][1] * a[1][2] - a[0][2] * a[1][1], a[0][2] * a[1][0] - a[0][0] * a[1][2],
       a[0][0] * a[1][1] - a[0][1] * a[1][0]}};
  Vec3 r{c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z, c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z,
         c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z};
  double det = a[0][0] * c[0][0] + a[0][1] * c[0][1] + a[0][2] * c[0][2];
  if (det < 0) r = r * -1.0;
  return normalized(r);
}

Affine compose(const Affine& second, const Affine& first) {
  Affine r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = 0;
      for (int k = 0; k < 3; ++k) r.m[i][j] += second.m[i][k] * first.m[k][j];
    }
  r.t = second.point(first.t);
  return r;
}

Affine translation(Vec3 offset) {
  Affine a;
  a.t = offset;
  return a;
}

static Affine rotation(int axis, double degrees) {
  double c = std::cos(radians(degrees)), s = std::sin(radians(degrees));
  Affine a;
  int i = (axis + 1) % 3, j = (axis + 2) % 3;
  a.m[i][i] = c;
  a.m[i][j] = -s;
  a.m[j][i] = s;
  a.m[j][j] = c;
  return a;
}

Affine rotationX(double degrees) { return rotation(0, degrees); }
Affine rotationY(double degrees) { return rotation(1, degrees); }
Affine rotationZ(double degrees) { return rotation(2, degrees); }

Affine scaling(Vec3 f) {
  Affine a;
  a.m[0][0] = f.x;
  a.m[1][1] = f.y;
  a.m[2][2] = f.z;
  return a;
}

Affine alongAxis(Vec3 origin, Vec3 axis) {
  double len = length(axis);
  Vec3 w = normalized(axis);
  Vec3 helper = std::fabs(w.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
  Vec3 u = normalized(cross(helper, w));
  Vec3 v = cross(w, u);
  Affine a;
  Vec3 cols[3] = {u, v, w * (len > 0 ? 1.0 : 1.0)};
  for (int c = 0; c < 3; ++c) {
    a.m[0][c] = cols[c].x;
    a.m[1][c] = cols[c].y;
    a.m[2][c] = cols[c].z;
  }
  a.t = origin;
  return a;
}

void TriangleList::triangle(const Vertex& a, const Vertex& b, const Vertex& c) {
  vertices.push_back(a);
  vertices.push_back(b);
  vertices.push_back(c);
}

void TriangleList::quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
  triangle(a, b, c);
  triangle(a, c, d);
}

void TriangleList::append(const TriangleList& other) {
  vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
}

void TriangleList::append(const TriangleList& other, const Affine& transform) {
  // A mirroring transform reverses the winding; swap two corners of each
  // triangle so the front faces stay where the normals point.
  const double(&a)[3][3] = transform.m;
  double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
               a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  size_t first = vertices.size();
  for (const Vertex& v : other.vertices) {
    Vertex w = v;
    w.position = transform.point(v.position);
    w.normal = transform.normal(v.normal);
    vertices.push_back(w);
  }
  if (det < 0)
    for (size_t i = first; i + 2 < vertices.size(); i += 3) std::swap(vertices[i + 1], vertices[i + 2]);
}

void TriangleList::bounds(Vec3& low, Vec3& high) const {
  double inf = std::numeric_limits<double>::infinity();
  low = {inf, inf, inf};
  high = {-inf, -inf, -inf};
  for (const Vertex& v : vertices) {
    low = {std::min(low.x, v.position.x), std::min(low.y, v.position.y), std::min(low.z, v.position.z)};
    high = {std::max(high.x, v.position.x), std::max(high.y, v.position.y),
            std::max(high.z, v.position.z)};
  }
}

TriangleList transformed(const TriangleList& list, const Affine& transform) {
  TriangleList r;
  r.append(list, transform);
  return r;
}
