#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "scene/scene_node.h"
#include "tests/support/gl_test_context.h"

// A GL context, the test archives as the archive folder, frame time 0, the
// C library's random generator with a fixed seed and a settable local time.
class ContentTest : public GlTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Draws `root` as one frame at `timeMs`.
  static void drawAt(SceneNode& root, uint32_t timeMs);

  // Local time seen by the overlays from now on.
  static void setLocalTime(int year, int month, int day, int hour, int minute, int second);

  // A node with one event carrying `callback`: one-shot or permanent, with
  // the selector given.
  static SceneNode* nodeWithEvent(EventCallback callback, bool oneShot, int32_t selector = 0);
};

// Random sources for tests.
int alwaysZero();

// Every node below `node`, depth first, in child order (not `node` itself).
std::vector<SceneNode*> descendants(const SceneNode* node);

// The node's model-view matrix while its meshes are drawn, captured by a
// hook (column-major). Only nodes with a model call it.
struct MatrixProbe {
  double matrix[16] = {};
  int draws = 0;
  void attach(SceneNode* node);
};
