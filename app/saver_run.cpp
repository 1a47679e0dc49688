#include "app/saver_run.h"

#include <errno.h>

#include <cstdio>
#include <cstdlib>

#include "app/frame.h"
#include "app/registry_string.h"
#include "app/scene_assembly.h"
#include "app/video_context.h"
#include "resources/pak_cache.h"
#include "scene/scene_node.h"

SceneNode* worldRoot = nullptr;
SceneNode* overlayRoot = nullptr;

namespace {

SaverRun* runUnderWay = nullptr;

// A scene without its archive would show nothing it was meant to, so the
// run ends there, with a line saying which archive and where it was looked
// for.
void endOnUnreadableArchive(const std::string& problem) {
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, problem.c_str());
  std::exit(1);
}

}  // namespace

SaverRun::SaverRun(const RunSettings& settings) : settings_(settings) {
  runUnderWay = this;
  pakCache.setBaseFolder(installPath.value());
  pakCache.setUnreadableArchiveHandler(endOnUnreadableArchive);
}

SaverRun::~SaverRun() {
  stop();
  pakCache.setUnreadableArchiveHandler(nullptr);
  runUnderWay = nullptr;
}

// Timelines count from the frame time they are made at, so a run starts
// from 0 whatever an earlier run in the process reached.
void SaverRun::start(VideoContext* video) {
  video_.reset(video);
  beginFrame(0);
  worldRoot = new SceneNode();
  overlayRoot = new SceneNode();
  buildScene();
}

// The frame time is the only clock the scene reads, so the same times give
// the same pictures whoever drives the run.
void SaverRun::frame(uint32_t timeMs) {
  beginFrame(timeMs);
  renderFrame();
}

void SaverRun::worldFrame(uint32_t timeMs) {
  beginFrame(timeMs);
  renderFrame(PictureLayers::WorldOnly);
}

// The frame time stays that of the world's picture.
void SaverRun::overlayFrame() { renderFrame(PictureLayers::OverlaysOnly); }

// A close request spreads down each tree as it is drawn.
void SaverRun::close() {
  if (worldRoot != nullptr) worldRoot->closeRequested = true;
  if (overlayRoot != nullptr) overlayRoot->closeRequested = true;
}

bool SaverRun::closed() const {
  return (worldRoot == nullptr || worldRoot->closed) &&
         (overlayRoot == nullptr || overlayRoot->closed);
}

// The roots go before the video: their meshes give back GL textures, which
// need the context the video keeps.
void SaverRun::stop() {
  delete worldRoot;
  worldRoot = nullptr;
  delete overlayRoot;
  overlayRoot = nullptr;
  video_.reset();
}

SaverRun& currentRun() { return *runUnderWay; }
