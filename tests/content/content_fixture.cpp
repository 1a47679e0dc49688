#include "tests/content/content_fixture.h"

#include <GL/gl.h>

#include <cstdlib>
#include <map>

#include "landscape/terrain.h"
#include "overlays/calendar.h"
#include "overlays/clock_slots.h"
#include "overlays/frame_rate.h"
#include "platform/local_time.h"
#include "resources/pak_cache.h"
#include "scene/event_recipes.h"
#include "scene/frame_globals.h"
#include "scene/random.h"
#include "tests/content/test_archives.h"
#include "resources/model_view_stack.h"

namespace {

std::time_t localNow = 0;

// Hooks take only (phase, value): the value indexes the probes.
std::vector<MatrixProbe*> probes;

void probeHook(int32_t phase, int32_t value) {
  if (phase != BeforeMeshes) return;
  MatrixProbe* probe = probes[static_cast<size_t>(value)];
  for (int i = 0; i < 16; ++i) probe->matrix[i] = modelViewStack.top()[i];
  ++probe->draws;
}

}  // namespace

void ContentTest::SetUp() {
  GlTest::SetUp();
  static const std::string folder = writeTestArchives();
  ASSERT_FALSE(folder.empty()) << "cannot write the test archives";
  pakCache.setBaseFolder(folder);
  frameTime = 0;
  std::srand(7);
  setRandomSource(nullptr);
  resetLandscapeState();
  resetClockSlotMemories();
  resetCalendarState();
  resetFrameRateCounter();
  setLocalTime(2026, 12, 15, 10, 20, 30);
  setTimeSource([] { return localNow; });
  probes.clear();
}

void ContentTest::TearDown() {
  setRandomSource(nullptr);
  setTimeSource(nullptr);
  GlTest::TearDown();
}

void ContentTest::drawAt(SceneNode& root, uint32_t timeMs) {
  frameTime = timeMs;
  modelViewStack.loadIdentity();
  root.draw();
}

void ContentTest::setLocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;
  localNow = std::mktime(&parts);
}

SceneNode* ContentTest::nodeWithEvent(EventCallback callback, bool oneShot, int32_t selector) {
  SceneNode* node = new SceneNode();
  startEvents(node, {oneShot ? oneShotMotion(callback, selector) : permanentMotion(callback, selector)});
  return node;
}

int alwaysZero() { return 0; }

std::vector<SceneNode*> descendants(const SceneNode* node) {
  std::vector<SceneNode*> found;
  for (SceneNode* child : node->children) {
    found.push_back(child);
    std::vector<SceneNode*> below = descendants(child);
    found.insert(found.end(), below.begin(), below.end());
  }
  return found;
}

void MatrixProbe::attach(SceneNode* node) {
  probes.push_back(this);
  node->addHook(probeHook, static_cast<int32_t>(probes.size() - 1));
}
