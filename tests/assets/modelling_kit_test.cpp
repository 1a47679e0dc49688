// The modelling kit's shapes are closed, wound outwards, and serialise in
// the layout the model reader expects.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "resources/model_format.h"
#include "tools/assets/model.h"
#include "tools/assets/primitives.h"

namespace {

// Signed volume by the divergence theorem: positive for a closed surface
// whose triangles wind counter-clockwise seen from outside.
double enclosedVolume(const TriangleList& list) {
  double v = 0;
  for (size_t i = 0; i + 2 < list.vertices.size(); i += 3)
    v += dot(list.vertices[i].position, cross(list.vertices[i + 1].position, list.vertices[i + 2].position)) / 6;
  return v;
}

// Every triangle's stored normals agree with its winding.
void expectNormalsMatchWinding(const TriangleList& list, const char* what) {
  for (size_t i = 0; i + 2 < list.vertices.size(); i += 3) {
    Vec3 a = list.vertices[i].position, b = list.vertices[i + 1].position, c = list.vertices[i + 2].position;
    Vec3 face = cross(b - a, c - a);
    if (length(face) < 1e-12) continue;
    for (int k = 0; k < 3; ++k) ASSERT_GT(dot(face, list.vertices[i + k].normal), 0) << what << " triangle " << i / 3;
  }
}

}  // namespace

TEST(ModellingKit, ClosedShapesEncloseTheirVolumeOutwards) {
  EXPECT_NEAR(enclosedVolume(makeBox({2, 3, 4})), 24.0, 1e-9);
  const double pi = 3.14159265358979;
  EXPECT_NEAR(enclosedVolume(makeCylinder(1.0, 2.0, 64)), 2 * pi, 0.02);
  EXPECT_NEAR(enclosedVolume(makeTube(1.0, 2.0, 1.0, 64)), 3 * pi, 0.03);
  EXPECT_NEAR(enclosedVolume(makeLathe({{1, 0}, {1, 2}}, 64)), 2 * pi, 0.02);
  std::vector<Vec2> lShape = {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 3}, {0, 3}};
  EXPECT_NEAR(enclosedVolume(makeExtrusion(lShape, 2.0)), 10.0, 1e-9);
  // The same outline listed clockwise still comes out wound outwards.
  std::vector<Vec2> clockwise(lShape.rbegin(), lShape.rend());
  EXPECT_NEAR(enclosedVolume(makeExtrusion(clockwise, 2.0)), 10.0, 1e-9);
}

TEST(ModellingKit, NormalsFaceTheWayTrianglesWind) {
  expectNormalsMatchWinding(makeBox({1, 2, 3}), "box");
  expectNormalsMatchWinding(makeCylinder(1, 2, 16), "cylinder");
  expectNormalsMatchWinding(makeTube(0.5, 1, 1, 16), "tube");
  expectNormalsMatchWinding(makeExtrusion({{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}}, 1), "extrusion");
  expectNormalsMatchWinding(makeQuad({0, 0}, 2, 2), "quad");
  auto hill = [](double x, double y) { return std::sin(x) * std::cos(y); };
  expectNormalsMatchWinding(makeHeightField(hill, -2, 2, -2, 2, 8, 8, 1, 1), "height field");
  // Placing a shape with a mirror must keep it wound outwards, normals too.
  TriangleList mirrored = transformed(makeBox({1, 1, 1}), scaling({-1, 1, 1}));
  EXPECT_NEAR(enclosedVolume(mirrored), 1.0, 1e-9);
  expectNormalsMatchWinding(mirrored, "mirrored box");
  TriangleList turned = transformed(makeCylinder(1, 2, 16), compose(translation({3, 0, 1}), rotationX(-90)));
  expectNormalsMatchWinding(turned, "turned cylinder");
}

TEST(ModellingKit, TriangulationCoversConcaveOutlines) {
  std::vector<Vec2> comb = {{0, 0}, {5, 0}, {5, 2}, {4, 2}, {4, 1}, {3, 1}, {3, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 2}, {0, 2}};
  std::vector<int> tris = triangulatePolygon(comb);
  ASSERT_EQ(tris.size(), (comb.size() - 2) * 3);
  double area = 0;
  for (size_t i = 0; i < tris.size(); i += 3) {
    Vec2 a = comb[tris[i]], b = comb[tris[i + 1]], c = comb[tris[i + 2]];
    area += ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / 2;
  }
  EXPECT_NEAR(area, 8.0, 1e-9);  // 5 x 2 less two 1 x 1 notches
  // A degenerate outline gives no triangles rather than looping forever.
  EXPECT_TRUE(triangulatePolygon({{0, 0}, {1, 1}}).empty());
}

TEST(ModelEncoding, ReadsBackThroughTheModelReader) {
  Model model;
  Material m = litMaterial(0.5f, 0.25f, 0.125f, 0.5f, 16);
  m.alphaTest = true;
  model.part("x#Fire64/64", m).triangles = makeQuad({1, 2}, 2, 2);
  model.part("bark.png", unlitMaterial()).triangles = makeBox({1, 1, 1});
  model.part("empty.png", unlitMaterial());  // no triangles: not written
  std::vector<uint8_t> bytes = encodeModel(model);
  int32_t count = 0;
  const uint8_t* cursor = nullptr;
  ASSERT_TRUE(readModelHeader(bytes.data(), uint32_t(bytes.size()), count, cursor));
  ASSERT_EQ(count, 2);
  MeshRecordView first, second;
  ASSERT_TRUE(readMeshRecord(cursor, bytes.data() + bytes.size(), first));
  ASSERT_TRUE(readMeshRecord(cursor, bytes.data() + bytes.size(), second));
  EXPECT_EQ(cursor, bytes.data() + bytes.size());
  EXPECT_EQ(first.textureNameText(), "x#Fire64/64");
  EXPECT_EQ(first.triangleCount, 2);
  EXPECT_NE(first.material[modelformat::kAlphaTestFlag], 0);
  EXPECT_EQ(first.material[modelformat::kBlendedFlag], 0);
  float diffuse[4];
  std::memcpy(diffuse, first.material + modelformat::kDiffuse, sizeof diffuse);
  EXPECT_FLOAT_EQ(diffuse[1], 0.25f);
  double firstX;
  std::memcpy(&firstX, first.positions, 8);
  EXPECT_DOUBLE_EQ(firstX, 0.0);  // quad from x = 0 to 2
  EXPECT_EQ(second.textureNameText(), "bark.png");
  EXPECT_EQ(second.triangleCount, 12);
}
