#pragma once

// A node's placement: position, rotation in degrees about X, Y and Z (applied
// in that order after the translation), and a scale that only ever reaches
// the node's own meshes, never its children.
struct Transform {
  bool scaled = false;
  double x = 0, y = 0, z = 0;
  double rx = 0, ry = 0, rz = 0;
  double sx = 1.0, sy = 1.0, sz = 1.0;

  // Position and rotation to 0, scale to 1; leaves `scaled` as it is.
  void reset();
  void setPosition(double px, double py, double pz);
  void setRotation(double ax, double ay, double az);
  void setScale(double fx, double fy, double fz);
  void translateBy(double dx, double dy, double dz);
  void rotateBy(double dax, double day, double daz);

  // Multiplies the translation (when any component is non-zero) and each
  // non-zero rotation onto the current OpenGL matrix. No call is made for a
  // zero component, so an identity transform costs nothing.
  void apply() const;
  // Whether apply() changes the matrix at all.
  bool moves() const;
  void applyScale() const;
};
