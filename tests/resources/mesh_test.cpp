#include "resources/mesh.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gl_fixture.h"
#include "tests/support/model_builder.h"
#include "resources/blended_mesh_queue.h"
#include "resources/material_cache.h"
#include "resources/model_reader.h"
#include "resources/pak_cache.h"
#include "temp_folder.h"
#include "resources/gl_switches.h"
#include "resources/model_view_stack.h"

namespace {

const Rgba kBlack = {0, 0, 0, 255};
const Rgba kRed = {255, 0, 0, 255};
const Rgba kGreen = {0, 255, 0, 255};
const Rgba kBlue = {0, 0, 255, 255};

std::vector<uint8_t> solidPng(const Rgba& colour) {
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), colour.begin(), colour.end());
  return pngImage(2, 2, pixels);
}

// Meshes loaded from a model entry of a fresh archive with solid-colour
// image entries "red", "green", "blue" and "half" (alpha 128).
class MeshTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    pakCache.setBaseFolder(folder_.path());
  }
  void TearDown() override {
    for (int i = 0; i < loads_; ++i) pakCache.releaseArchive("m.pak");
    for (Mesh* mesh : meshes_) delete mesh;
    EXPECT_FALSE(pakCache.isOpen("m.pak"));
    pakCache.setBaseFolder("0");
    GlTest::TearDown();
  }

  std::vector<Mesh*> load(const std::vector<TestMeshRecord>& records) {
    PakArchive archive;
    std::vector<uint8_t> model = buildModel(records);
    archive.addEntry("model", model.data(), static_cast<uint32_t>(model.size()));
    addImage(archive, "red", solidPng(kRed));
    addImage(archive, "green", solidPng(kGreen));
    addImage(archive, "blue", solidPng(kBlue));
    addImage(archive, "half", solidPng({255, 255, 255, 128}));
    std::vector<uint8_t> grid = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    addImage(archive, "grid", pngImage(2, 2, grid));
    EXPECT_TRUE(archive.save(folder_.file("m.pak")));
    std::vector<Mesh*> loaded;
    readModelEntry("m.pak", "model", loaded);
    ++loads_;
    meshes_.insert(meshes_.end(), loaded.begin(), loaded.end());
    return loaded;
  }

  static void addImage(PakArchive& archive, const std::string& name,
                       const std::vector<uint8_t>& bytes) {
    archive.addEntry(name, bytes.data(), static_cast<uint32_t>(bytes.size()));
  }

  TempFolder folder_;
  std::vector<Mesh*> meshes_;
  int loads_ = 0;
};

testing::AssertionResult closeTo(const Rgba& actual, const Rgba& expected) {
  for (int c = 0; c < 4; ++c) {
    if (std::abs(actual[c] - expected[c]) > 12) {
      return testing::AssertionFailure() << int(actual[0]) << "," << int(actual[1]) << ","
                                         << int(actual[2]) << "," << int(actual[3]);
    }
  }
  return testing::AssertionSuccess();
}

TestMeshRecord blendedQuad(const std::string& texture, double z = 0) {
  TestMeshRecord quad = quadRecord(texture, -8, -8, 8, 8, z);
  quad.blended = true;
  return quad;
}

}  // namespace

TEST_F(MeshTest, TexturedQuadShowsItsTextureWithRowZeroAtTheBottom) {
  std::vector<Mesh*> meshes = load({quadRecord("grid", -32, -32, 32, 32, 0)});
  ASSERT_EQ(meshes.size(), 1u);
  meshes[0]->draw();
  // Linear filtering blends a little of the neighbouring texels in.
  EXPECT_TRUE(closeTo(pixel(16, 16), kRed));
  EXPECT_TRUE(closeTo(pixel(48, 16), kGreen));
  EXPECT_TRUE(closeTo(pixel(16, 48), kBlue));
  EXPECT_TRUE(closeTo(pixel(48, 48), {255, 255, 255, 255}));
  EXPECT_LT(depthAt(32, 32), 1.0f);  // opaque meshes write depth
}

TEST_F(MeshTest, EmptyAndUnloadedMeshesDrawNothing) {
  TestMeshRecord empty;
  empty.textureName = "red";
  std::vector<Mesh*> meshes = load({empty, quadRecord("green", -4, -4, 4, 4, 0)});
  ASSERT_EQ(meshes.size(), 2u);
  EXPECT_EQ(meshes[0]->triangleCount(), 0);
  EXPECT_NE(meshes[0]->texture(), 0u);
  meshes[0]->draw();
  Mesh unloaded;
  unloaded.draw();
  EXPECT_EQ(pixel(32, 32), kBlack);
  meshes[1]->draw();
  EXPECT_EQ(pixel(32, 32), kGreen);
}

TEST_F(MeshTest, AlphaTestDropsTranslucentTexelsAndIsSwitchedOffAfter) {
  TestMeshRecord tested = quadRecord("half", -32, -32, 0, 32, 0);
  tested.alphaTest = true;
  TestMeshRecord plain = quadRecord("half", 0, -32, 32, 32, 0);
  std::vector<Mesh*> meshes = load({tested, plain});
  meshes[0]->draw();
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  meshes[1]->draw();
  EXPECT_EQ(pixel(16, 32), kBlack);
  EXPECT_EQ(pixel(48, 32)[0], 255);
}

TEST_F(MeshTest, BlendedMeshesWaitForTheFlushAndKeepTheirOwnMatrices) {
  std::vector<Mesh*> meshes = load({blendedQuad("red"), blendedQuad("green")});
  modelViewStack.translate(-8, 0, 0);
  meshes[0]->draw();
  modelViewStack.loadIdentity();
  modelViewStack.translate(8, 0, 0);
  meshes[1]->draw();
  modelViewStack.loadIdentity();
  EXPECT_EQ(blendedMeshQueue.size(), 2u);
  EXPECT_EQ(pixel(32, 32), kBlack);

  blendedMeshQueue.flush();
  EXPECT_EQ(pixel(20, 32), kRed);
  EXPECT_EQ(pixel(32, 32), kGreen);  // queue order: the second covers the first
  EXPECT_EQ(pixel(44, 32), kGreen);
  EXPECT_EQ(pixel(52, 32), kBlack);
  EXPECT_EQ(depthAt(32, 32), 1.0f);  // depth writes were off
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
  EXPECT_EQ(blendedMeshQueue.size(), 0u);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(MeshTest, BlendedMeshKeepsTheDepthTestStateOfItsCapture) {
  std::vector<Mesh*> meshes = load({quadRecord("red", -32, -32, 32, 32, 5),
                                    blendedQuad("green", -5), blendedQuad("blue", -5)});
  meshes[0]->draw();  // near, writes depth
  modelViewStack.translate(-8, 0, 0);
  setGlSwitch(GL_DEPTH_TEST, false);
  meshes[1]->draw();
  setGlSwitch(GL_DEPTH_TEST, true);
  modelViewStack.loadIdentity();
  modelViewStack.translate(16, 0, 0);
  meshes[2]->draw();
  blendedMeshQueue.flush();
  EXPECT_EQ(pixel(20, 32), kGreen);  // drawn behind the red quad, depth test off
  EXPECT_EQ(pixel(50, 32), kRed);    // hidden: depth test on
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(MeshTest, BlendedMeshIsLitOnlyWhenCapturedWithLighting) {
  TestMeshRecord lit = blendedQuad("red");
  // Black material: lit, the quad is black whatever the texture says.
  for (float* colour : {lit.ambient, lit.diffuse, lit.specular}) {
    colour[0] = colour[1] = colour[2] = 0;
  }
  std::vector<Mesh*> meshes = load({lit, lit});
  setGlSwitch(GL_LIGHTING, true);
  setGlSwitch(GL_LIGHT1, true);
  modelViewStack.translate(-16, 0, 0);
  meshes[0]->draw();
  setGlSwitch(GL_LIGHTING, false);
  modelViewStack.loadIdentity();
  modelViewStack.translate(16, 0, 0);
  meshes[1]->draw();
  setGlSwitch(GL_LIGHT1, false);
  blendedMeshQueue.flush();
  EXPECT_EQ(pixel(16, 32), kBlack);
  EXPECT_EQ(pixel(16, 32 + 9), kBlack);
  EXPECT_EQ(pixel(48, 32), kRed);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

// The queue lets a run of alike meshes share their state switches; every
// mesh must still look exactly as it does drawn on its own.
TEST_F(MeshTest, RunsOfAlikeBlendedMeshesDrawAsEachMeshAlone) {
  TestMeshRecord tested = blendedQuad("green");
  tested.alphaTest = true;
  tested.diffuse[0] = 0.5f;
  // The archive stays open: each load makes meshes of the same two records.
  std::vector<Mesh*> first = load({blendedQuad("half"), tested});
  std::vector<Mesh*> again = load({blendedQuad("half"), tested});
  std::vector<Mesh*> third = load({blendedQuad("half"), tested});
  ASSERT_EQ(third.size(), 2u);
  // Queue: two lit copies of one record, the same record unlit, the
  // alpha-tested one with the depth test off, then the lit record again.
  struct Queued {
    Mesh* mesh;
    double x;
    bool lit;
    bool depthTest;
  };
  const Queued order[] = {{first[0], -12, true, true}, {again[0], -6, true, true},
                          {third[0], 0, false, true},  {first[1], 6, false, false},
                          {first[0], 12, true, true}};
  auto capture = [](const Queued& queued) {
    modelViewStack.loadIdentity();
    modelViewStack.translate(queued.x, queued.x / 2, 0);
    if (queued.lit) setGlSwitch(GL_LIGHTING, true), setGlSwitch(GL_LIGHT1, true);
    if (!queued.depthTest) setGlSwitch(GL_DEPTH_TEST, false);
    queued.mesh->draw();
    setGlSwitch(GL_LIGHTING, false);
    setGlSwitch(GL_LIGHT1, false);
    setGlSwitch(GL_DEPTH_TEST, true);
  };
  // One at a time: each mesh captured, then drawn alone.
  for (const Queued& queued : order) {
    capture(queued);
    blendedMeshQueue.flush();
  }
  std::vector<uint8_t> alone = context_->readPixels();

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int i = 0; i < 4; ++i) capture(order[i]);
  blendedMeshQueue.flush();
  capture(order[4]);  // first[0] again: a mesh waits in the queue once per frame
  blendedMeshQueue.flush();
  EXPECT_EQ(context_->readPixels(), alone);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

// Within a frame a mesh skips the material values already in place; every
// draw must still see exactly its own record's material, also when other
// code set the material between frames or while no frame was drawn.
TEST_F(MeshTest, EachDrawSeesItsOwnMaterialWhenRepeatsAreSkipped) {
  TestMeshRecord a = quadRecord("red", -4, -4, 4, 4, 0);
  TestMeshRecord b = a;
  b.shininess = 12;
  b.diffuse[2] = 0.5f;
  TestMeshRecord c = a;
  c.specular[3] = 0.5f;
  c.ambient[1] = 0.7f;
  std::vector<Mesh*> meshes = load({a, b, c});
  const TestMeshRecord* records[] = {&a, &b, &c};
  auto seesMaterialOf = [&](int i) {
    const TestMeshRecord& record = *records[i];
    for (GLenum face : {GL_FRONT, GL_BACK}) {
      GLfloat shininess = -1;
      glGetMaterialfv(face, GL_SHININESS, &shininess);
      if (shininess != record.shininess) return false;
      for (auto [name, wanted] : {std::pair{GL_SPECULAR, record.specular},
                                  std::pair{GL_DIFFUSE, record.diffuse},
                                  std::pair{GL_AMBIENT, record.ambient}}) {
        GLfloat colour[4] = {};
        glGetMaterialfv(face, name, colour);
        if (!std::equal(colour, colour + 4, wanted)) return false;
      }
    }
    return true;
  };
  // What a replay, another context or a tool might leave behind.
  auto disturb = [] {
    const GLfloat foreign[4] = {0.3f, 0.1f, 0.9f, 0.4f};
    for (GLenum name : {GL_SPECULAR, GL_DIFFUSE, GL_AMBIENT}) {
      glMaterialfv(GL_FRONT_AND_BACK, name, foreign);
    }
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 99);
  };
  materialCache.beginFrame();
  for (int i : {0, 1, 0, 2, 0}) {
    meshes[i]->draw();
    EXPECT_TRUE(seesMaterialOf(i)) << "mesh " << i;
  }
  materialCache.endFrame();
  disturb();
  materialCache.beginFrame();
  meshes[0]->draw();
  EXPECT_TRUE(seesMaterialOf(0)) << "after a change between frames";
  materialCache.endFrame();
  meshes[0]->draw();
  disturb();
  meshes[0]->draw();
  EXPECT_TRUE(seesMaterialOf(0)) << "outside a frame";
}
