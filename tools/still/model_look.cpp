#include "tools/still/model_look.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "app/gl_setup.h"
#include "platform/offscreen_gl.h"
#include "platform/png_file.h"
#include "resources/blended_mesh_queue.h"
#include "resources/gl_switches.h"
#include "resources/mesh.h"
#include "resources/model_format.h"
#include "resources/model_reader.h"
#include "resources/model_view_stack.h"
#include "resources/pak_cache.h"
#include "resources/procedural_texture_cache.h"
#include "scene/draw_hooks.h"

namespace {

struct Box {
  double low[3] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                   std::numeric_limits<double>::max()};
  double high[3] = {-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                    -std::numeric_limits<double>::max()};
  bool empty() const { return low[0] > high[0]; }
};

// How the scene shows an entry: overlays and billboards face the viewer
// flat; terrain, rails and the background are drawn without lighting.
struct LookStyle {
  bool flat = false;
  bool unlit = false;
  bool inside = false;  // a surrounding model, seen from where the viewer stands
};

LookStyle styleFor(const std::string& archiveName, const std::string& entry) {
  LookStyle style;
  if (archiveName != "main.pak") {
    style.flat = style.unlit = true;
  } else if (entry == "smouke") {
    style.flat = true;
  } else if (entry == "relef1" || entry == "relef2" || entry == "relsi") {
    style.unlit = true;
  } else if (entry == "fon") {
    style.unlit = style.inside = true;
  }
  return style;
}

bool splitModelName(const std::string& modelName, std::string& folder, std::string& archiveName,
               std::string& entry) {
  size_t colon = modelName.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == modelName.size()) return false;
  std::string path = modelName.substr(0, colon);
  entry = modelName.substr(colon + 1);
  size_t slash = path.rfind('/');
  folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  archiveName = path.substr(slash == std::string::npos ? 0 : slash + 1);
  // The cache reads a base folder starting with the digit zero as "none".
  if (!folder.empty() && folder[0] == '0') folder = "./" + folder;
  return !archiveName.empty();
}

// Bounding box of every vertex of the entry, read straight from its bytes.
Box entryBounds(const uint8_t* data, uint32_t size) {
  Box box;
  int32_t meshes = 0;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(data, size, meshes, cursor)) return box;
  for (int32_t i = 0; i < meshes; ++i) {
    MeshRecordView view;
    if (!readMeshRecord(cursor, data + size, view)) break;
    for (int32_t k = 0; k < view.triangleCount * 9; ++k) {
      double v;
      std::memcpy(&v, view.positions + 8 * size_t(k), 8);
      box.low[k % 3] = std::min(box.low[k % 3], v);
      box.high[k % 3] = std::max(box.high[k % 3], v);
    }
  }
  return box;
}

// A model is judged under the light it is made for: the scene's light 1,
// its colours and fall-off, about 21 units from the model (in front, above
// and to the right of its centre).
void setupLight(double distance) {
  setupLight1();
  const float position[4] = {8.0f, 12.0f, float(15.0 - distance), 1};
  glLightfv(GL_LIGHT1, GL_POSITION, position);  // eye space: in front, above
}

void drawModel(std::vector<Mesh*>& meshes, const Box& box, double turn, const LookStyle& style,
               double aspect) {
  double centre[3], radius = 0;
  for (int i = 0; i < 3; ++i) {
    centre[i] = 0.5 * (box.low[i] + box.high[i]);
    radius += 0.25 * (box.high[i] - box.low[i]) * (box.high[i] - box.low[i]);
  }
  radius = std::max(std::sqrt(radius), 1e-3);
  // The far plane is 250 units away: larger models are shown shrunk.
  const double largest = 60.0;
  double shrink = std::min(1.0, largest / radius);
  radius *= shrink;
  double halfFov = 22.5 * 3.14159265358979 / 180;
  double distance = radius / std::sin(halfFov) / std::min(1.0, aspect) * 1.02;
  // The meshes draw under the CPU's matrix; GL holds it (the identity)
  // while the light is placed in eye space.
  modelViewStack.loadIdentity();
  modelViewStack.loadIntoGl();
  if (!style.unlit) {
    setupLight(distance);
    setGlSwitch(GL_LIGHTING, true);
    setGlSwitch(GL_LIGHT1, true);
  }
  if (style.flat) setGlSwitch(GL_DEPTH_TEST, false);
  if (style.inside) {
    // The saver's eye: 45 units out, looking down at the landscape.
    modelViewStack.translate(0, 0, -45);
    modelViewStack.rotate(-78, 0);
    modelViewStack.rotate(-90 + turn, 2);
    for (Mesh* mesh : meshes) mesh->draw();
    blendedMeshQueue.flush();
    return;
  }
  modelViewStack.translate(0, 0, -distance);
  if (shrink < 1.0) {
    modelViewStack.scale(shrink, shrink, shrink);
    setGlSwitch(GL_NORMALIZE, true);
  }
  if (!style.flat) {
    modelViewStack.rotate(-68, 0);  // Z up, seen a little from above
    modelViewStack.rotate(-35 + turn, 2);
  } else {
    modelViewStack.rotate(turn, 1);
  }
  modelViewStack.translate(-centre[0], -centre[1], -centre[2]);
  for (Mesh* mesh : meshes) mesh->draw();
  blendedMeshQueue.flush();
  setGlSwitch(GL_LIGHTING, false);
  setGlSwitch(GL_LIGHT1, false);
  setGlSwitch(GL_NORMALIZE, false);
  setGlSwitch(GL_DEPTH_TEST, true);
}

}  // namespace

int renderModelLook(const std::string& modelName, double turnDegrees, int width, int height,
                    const std::string& outPng) {
  std::string folder, archiveName, entry;
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192 ||
      !splitModelName(modelName, folder, archiveName, entry)) {
    std::fprintf(stderr, "model look: expected ARCHIVE:ENTRY and a sensible size\n");
    return 2;
  }
  if (!PakArchive::tryLoad(folder + archiveName)) {
    std::fprintf(stderr, "model look: cannot read archive %s%s\n", folder.c_str(), archiveName.c_str());
    return 3;
  }
  OffscreenGlContext context(width, height);
  if (!context.ok()) {
    std::fprintf(stderr, "model look: no offscreen OpenGL context\n");
    return 4;
  }
  applyFixedGlState();
  setProjection(width, height);
  pakCache.setBaseFolder(folder.empty() ? "0" : folder);
  std::pair<const uint8_t*, uint32_t> data = pakCache.findEntry(archiveName, entry);
  Box box = entryBounds(data.first, data.second);
  std::vector<Mesh*> meshes;
  readModelEntry(archiveName, entry, meshes);
  int status = 0;
  if (meshes.empty() || box.empty()) {
    std::fprintf(stderr, "model look: %s holds no model \"%s\"\n", archiveName.c_str(), entry.c_str());
    status = 5;
  } else {
    for (int step = 0; step < 40; ++step) proceduralTextureCache.updateAll(uint32_t(step * 40));
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawModel(meshes, box, turnDegrees, styleFor(archiveName, entry), double(width) / height);
    if (!writePngRgba(outPng, width, height, context.readPixels(), true)) {
      std::fprintf(stderr, "model look: cannot write %s\n", outPng.c_str());
      status = 6;
    }
  }
  for (Mesh* mesh : meshes) delete mesh;
  pakCache.releaseArchive(archiveName);
  pakCache.releaseArchive(archiveName);
  return status;
}
