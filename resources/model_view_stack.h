#pragma once

#include <array>
#include <vector>

// The model-view matrix the scene draws under, kept on the CPU. Nodes push,
// move and pop it without a GL call; the blended queue and the snow read it
// without asking GL for it back; GL's own copy is loaded only when
// something is about to draw or place a light under it (`loadIntoGl`).
// Column-major, as GL keeps it.
class ModelViewStack {
 public:
  using Matrix = std::array<double, 16>;

  ModelViewStack();

  void loadIdentity();
  void load(const double matrix[16]);
  void translate(double x, double y, double z);
  // Degrees about one of the axes (0 = x, 1 = y, 2 = z).
  void rotate(double degrees, int axis);
  void scale(double x, double y, double z);
  // Drops every turn and scale, keeping the position: what is drawn next
  // faces the eye square on.
  void faceTheEye();
  void push();
  // Ignored at the bottom of the stack, where GL would raise an error.
  void pop();

  const double* top() const { return stack_.back().data(); }

  // Loads the matrix into GL unless GL already holds it.
  void loadIntoGl();
  // Someone loaded another matrix into GL directly: the next loadIntoGl
  // loads again.
  void glChangedElsewhere() { glHoldsTop_ = false; }

 private:
  Matrix& current() { return stack_.back(); }
  void changed() { glHoldsTop_ = false; }

  std::vector<Matrix> stack_;
  bool glHoldsTop_ = false;
};

extern ModelViewStack modelViewStack;
