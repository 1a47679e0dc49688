#include "app/frame.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include "app/light_positions.h"
#include "app/saver_run.h"
#include "app/scene_assembly.h"
#include "app/video_context.h"
#include "landscape/snowfall_pass.h"
#include "resources/blended_mesh_queue.h"
#include "resources/material_cache.h"
#include "resources/model_view_stack.h"
#include "resources/procedural_texture_cache.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"

void beginFrame(uint32_t time) {
  frameTime = time;
  proceduralTextureCache.updateAll(frameTime);
}

namespace {

// Blended overlays written over the transparent clear keep alpha as
// coverage: alpha adds up as src + dst * (1 - src), while the colours blend
// as always.
void drawOverlaysAlone() {
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  overlayRoot->draw();
  blendedMeshQueue.flush();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void renderPicture(bool world, bool overlays) {
  materialCache.beginFrame();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  modelViewStack.loadIdentity();
  modelViewStack.translate(0.0, 0.0, -100.0);
  if (!world) {
    drawOverlaysAlone();
    materialCache.endFrame();
    return;
  }
  worldRoot->draw();
  // After the whole world, so every flake is depth-tested against it, and
  // before the overlays' blended pass, which stays on top.
  drawSnowfall();
  if (overlays) overlayRoot->draw();
  blendedMeshQueue.flush();
  materialCache.endFrame();
}

}  // namespace

// The first view advances the scene; the others draw it as it then stands,
// each with its own aspect and its overlays pinned to its own corners.
void renderFrame(PictureLayers layers) {
  VideoContext& video = currentRun().video();
  const std::vector<PictureView>& views = video.views();
  if (views.size() < 2) {
    renderPicture(layers != PictureLayers::OverlaysOnly, layers != PictureLayers::WorldOnly);
    return;
  }
  if (video.takeWholeWindowClear()) {
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  LightPositions atStart, afterFirst;
  atStart.save();
  for (size_t i = 0; i < views.size(); ++i) {
    video.useView(views[i]);
    placeOverlays();
    setFramePass(i == 0 ? FramePass::First : FramePass::Again);
    if (i > 0) atStart.restore();
    renderPicture(true, views[i].overlays);
    if (i == 0) afterFirst.save();
  }
  setFramePass(FramePass::Only);
  afterFirst.restore();
}
