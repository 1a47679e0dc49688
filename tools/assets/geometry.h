#pragma once
#include <cmath>
#include <string>
#include <vector>

// Small vector and matrix types for the modelling kit. Lengths in scene
// units, angles in degrees unless a name says radians.

struct Vec2 {
  double x = 0, y = 0;
};

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) {
  double len = length(a);
  return len > 1e-12 ? a * (1.0 / len) : Vec3{0, 0, 1};
}

constexpr double kPi = 3.14159265358979323846;
inline double radians(double degrees) { return degrees * kPi / 180.0; }

// An affine transform: 3x3 linear part (row-major) and a translation.
struct Affine {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  Vec3 t;

  Vec3 point(Vec3 p) const { return linear(p) + t; }
  Vec3 linear(Vec3 v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
  // Normals transform with the inverse transpose; for the rotations and
  // axis scales used here the cofactor matrix gives the same direction.
  Vec3 normal(Vec3 n) const;
};

// a then b: the result applies `first`, then `second`.
Affine compose(const Affine& second, const Affine& first);
Affine translation(Vec3 offset);
Affine rotationX(double degrees);
Affine rotationY(double degrees);
Affine rotationZ(double degrees);
Affine scaling(Vec3 factors);
// Maps local +Z onto `axis` (any length) and puts the local origin at `origin`.
Affine alongAxis(Vec3 origin, Vec3 axis);

struct Vertex {
  Vec3 position;
  Vec3 normal;
  double s = 0, t = 0;
};

// A triangle list under construction: vertices 3k, 3k+1, 3k+2 form a
// triangle, counter-clockwise when seen from the side the normals face.
struct TriangleList {
  std::vector<Vertex> vertices;

  void triangle(const Vertex& a, const Vertex& b, const Vertex& c);
  // Quad a-b-c-d counter-clockwise, split along a-c.
  void quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
  void append(const TriangleList& other);
  void append(const TriangleList& other, const Affine& transform);
  size_t triangleCount() const { return vertices.size() / 3; }
  // Lowest and highest corner of the vertices' bounding box.
  void bounds(Vec3& low, Vec3& high) const;
};

TriangleList transformed(const TriangleList& list, const Affine& transform);
