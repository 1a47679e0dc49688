#include "resources/model_view_stack.h"

#include <GL/gl.h>

#include <cmath>

ModelViewStack modelViewStack;

namespace {

constexpr ModelViewStack::Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
constexpr double kPi = 3.14159265358979323846;

// Columns a and b of `m` turned by the angle whose cosine and sine are c
// and s: the product of m with a rotation that mixes those two axes.
void mixColumns(ModelViewStack::Matrix& m, int a, int b, double c, double s) {
  for (int row = 0; row < 4; ++row) {
    const double first = m[4 * a + row];
    const double second = m[4 * b + row];
    m[4 * a + row] = c * first + s * second;
    m[4 * b + row] = c * second - s * first;
  }
}

}  // namespace

ModelViewStack::ModelViewStack() { stack_.push_back(kIdentity); }

void ModelViewStack::loadIdentity() {
  current() = kIdentity;
  changed();
}

void ModelViewStack::load(const double matrix[16]) {
  for (int i = 0; i < 16; ++i) current()[i] = matrix[i];
  changed();
}

void ModelViewStack::translate(double x, double y, double z) {
  Matrix& m = current();
  for (int row = 0; row < 4; ++row) m[12 + row] += x * m[row] + y * m[4 + row] + z * m[8 + row];
  changed();
}

// A turn about x mixes the y and z columns, about y the z and x columns,
// about z the x and y columns, each pair in the right-handed order.
void ModelViewStack::rotate(double degrees, int axis) {
  static constexpr int kPairs[3][2] = {{1, 2}, {2, 0}, {0, 1}};
  if (axis < 0 || axis > 2) return;
  const double radians = degrees * kPi / 180.0;
  mixColumns(current(), kPairs[axis][0], kPairs[axis][1], std::cos(radians), std::sin(radians));
  changed();
}

void ModelViewStack::scale(double x, double y, double z) {
  Matrix& m = current();
  for (int row = 0; row < 4; ++row) {
    m[row] *= x;
    m[4 + row] *= y;
    m[8 + row] *= z;
  }
  changed();
}

void ModelViewStack::faceTheEye() {
  Matrix& m = current();
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) m[4 * column + row] = column == row ? 1.0 : 0.0;
  }
  changed();
}

void ModelViewStack::push() { stack_.push_back(stack_.back()); }

// GL's copy is left as it was: after a pop it may hold the popped matrix.
void ModelViewStack::pop() {
  if (stack_.size() < 2) return;
  stack_.pop_back();
  changed();
}

void ModelViewStack::loadIntoGl() {
  if (glHoldsTop_) return;
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(top());
  glHoldsTop_ = true;
}
