#include "scene/transform.h"

#include "resources/model_view_stack.h"

void Transform::reset() {
  x = y = z = 0;
  rx = ry = rz = 0;
  sx = sy = sz = 1.0;
}

void Transform::setPosition(double px, double py, double pz) {
  x = px;
  y = py;
  z = pz;
}

void Transform::setRotation(double ax, double ay, double az) {
  rx = ax;
  ry = ay;
  rz = az;
}

void Transform::setScale(double fx, double fy, double fz) {
  sx = fx;
  sy = fy;
  sz = fz;
  scaled = true;
}

void Transform::translateBy(double dx, double dy, double dz) {
  x += dx;
  y += dy;
  z += dz;
}

void Transform::rotateBy(double dax, double day, double daz) {
  rx += dax;
  ry += day;
  rz += daz;
}

void Transform::apply() const {
  if (x != 0 || y != 0 || z != 0) modelViewStack.translate(x, y, z);
  if (rx != 0) modelViewStack.rotate(rx, 0);
  if (ry != 0) modelViewStack.rotate(ry, 1);
  if (rz != 0) modelViewStack.rotate(rz, 2);
}

bool Transform::moves() const { return x != 0 || y != 0 || z != 0 || rx != 0 || ry != 0 || rz != 0; }

void Transform::applyScale() const { modelViewStack.scale(sx, sy, sz); }
