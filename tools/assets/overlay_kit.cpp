#include "tools/assets/overlay_kit.h"

TexRect atlasCell(int column, int row, int columns, int rows) {
  // Half a texel of a 1024-wide atlas keeps linear filtering inside the cell.
  const double inset = 0.5 / 1024;
  TexRect r;
  r.s0 = double(column) / columns + inset;
  r.s1 = double(column + 1) / columns - inset;
  r.t0 = double(row) / rows + inset;
  r.t1 = double(row + 1) / rows - inset;
  return r;
}

Model glyphModel(const std::string& texture, double x0, double y0, double x1, double y1,
                 const TexRect& rect) {
  Material m = unlitMaterial();
  m.blended = true;
  Model model;
  TriangleList& t = model.part(texture, m).triangles;
  auto v = [](double x, double y, double s, double tt) {
    Vertex out;
    out.position = {x, y, 0};
    out.normal = {0, 0, 1};
    out.s = s;
    out.t = tt;
    return out;
  };
  t.quad(v(x0, y0, rect.s0, rect.t1), v(x1, y0, rect.s1, rect.t1), v(x1, y1, rect.s1, rect.t0),
         v(x0, y1, rect.s0, rect.t0));
  return model;
}
