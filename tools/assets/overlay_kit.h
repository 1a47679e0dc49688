#pragma once
#include <string>

#include "tools/assets/model.h"

// Overlay pieces are flat quads in the XY plane facing the viewer, drawn
// unlit with depth testing off; their texture gives colour and alpha.

// Texture rectangle in 0..1 (s to the right, t downwards).
struct TexRect {
  double s0 = 0, t0 = 0, s1 = 1, t1 = 1;
};

// Cell (column, row) of an atlas of `columns` x `rows` equal cells.
TexRect atlasCell(int column, int row, int columns, int rows);

// A model of one blended quad from (x0, y0) to (x1, y1).
Model glyphModel(const std::string& texture, double x0, double y0, double x1, double y1,
                 const TexRect& rect = TexRect());
