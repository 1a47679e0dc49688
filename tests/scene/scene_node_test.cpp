#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/mesh.h"
#include "scene/controllers.h"
#include "scene/frame_globals.h"
#include "scene/scene_node.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/model_builder.h"
#include "resources/model_view_stack.h"

namespace {

std::vector<std::string> calls;

void recordingHook(int32_t phase, int32_t value) {
  calls.push_back(std::to_string(value) + ":" + std::to_string(phase));
}

void recordNormalize(int32_t phase, int32_t) {
  calls.push_back("normalize " + std::to_string(phase) + "=" +
                  std::to_string(glIsEnabled(GL_NORMALIZE)));
}

SceneNode* childWithHook(int32_t value) {
  SceneNode* node = new SceneNode();
  node->addHook(recordingHook, value);
  return node;
}

// Gives the node one white square, 0.25 on a side from its origin, read
// from `bytes` as a mesh reads archive memory (so `bytes` must outlive it).
void addSquare(SceneNode& node, std::vector<uint8_t>& bytes) {
  bytes = buildMeshRecord(quadRecord("s#Fire2x2", 0, 0, 0.25, 0.25, 0));
  const uint8_t* cursor = bytes.data();
  Mesh* mesh = new Mesh();
  ASSERT_TRUE(mesh->load(cursor, bytes.data() + bytes.size(), "no archive"));
  node.meshes.push_back(mesh);
  node.hasModel = true;
}

// Whether the pixel at (x, y) of the 64 x 64 picture was drawn.
bool drawnAt(int x, int y) {
  uint8_t rgba[4] = {};
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return rgba[0] > 128;
}

class SceneNodeTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    calls.clear();
    frameTime = 0;
  }
};

TEST_F(SceneNodeTest, NodeWithoutModelCallsOnlyChildPhases) {
  SceneNode root;
  root.addHook(recordingHook, 7);
  root.addChild(new SceneNode());
  root.addChild(new SceneNode());
  root.draw();
  EXPECT_EQ(calls, std::vector<std::string>({"7:3", "7:4", "7:3", "7:4"}));
}

TEST_F(SceneNodeTest, NodeWithModelCallsMeshPhasesInHookOrder) {
  SceneNode node;
  node.hasModel = true;  // an entry with no meshes still counts as a model
  node.addHook(recordingHook, 1);
  node.addHook(recordingHook, 2);
  node.draw();
  EXPECT_EQ(calls, std::vector<std::string>({"1:1", "2:1", "1:2", "2:2"}));
}

TEST_F(SceneNodeTest, ScaleReachesOnlyTheNodesOwnMeshes) {
  std::vector<uint8_t> parentBytes, childBytes;
  SceneNode parent;
  addSquare(parent, parentBytes);
  parent.transform.setScale(2, 2, 2);
  parent.addHook(recordNormalize, 0);
  SceneNode* child = new SceneNode();
  addSquare(*child, childBytes);
  child->transform.setPosition(-0.5, -0.5, 0);
  parent.addChild(child);
  glEnableClientState(GL_VERTEX_ARRAY);  // as the saver's video set-up leaves it
  glClear(GL_COLOR_BUFFER_BIT);
  parent.draw();
  // Pixels 32 apart per unit from the centre: the parent's square reaches
  // 0.5, the child's stays 0.25 on a side.
  EXPECT_TRUE(drawnAt(32 + 14, 32 + 14));
  EXPECT_TRUE(drawnAt(32 - 10, 32 - 10));
  EXPECT_FALSE(drawnAt(32 - 4, 32 - 4));
  // Hooks run outside the scaled block: normalization is off around the
  // meshes' hooks and off again before the child.
  EXPECT_EQ(calls, std::vector<std::string>(
                       {"normalize 1=0", "normalize 2=0", "normalize 3=0", "normalize 4=0"}));
  double m[16];
  modelView(m);
  EXPECT_DOUBLE_EQ(m[0], 1.0);  // the push/pop pairs left the matrix alone
}

TEST_F(SceneNodeTest, ThreeLevelSubtreeClosesOneLevelPerFrame) {
  SceneNode root;
  SceneNode* child = new SceneNode();
  SceneNode* grandchild = new SceneNode();
  child->addChild(grandchild);
  root.addChild(child);
  root.requestClose();

  root.draw();  // frame 1
  EXPECT_TRUE(grandchild->closed);
  EXPECT_FALSE(child->closed);
  root.draw();  // frame 2: grandchild destroyed, child closes
  EXPECT_TRUE(child->children.empty());
  EXPECT_TRUE(child->closed);
  EXPECT_FALSE(root.closed);
  root.draw();  // frame 3
  EXPECT_TRUE(root.children.empty());
  EXPECT_TRUE(root.closed);
}

TEST_F(SceneNodeTest, ClosedChildrenAreReapedKeepingTheOthersOrder) {
  SceneNode root;
  std::vector<SceneNode*> kids;
  for (int i = 0; i < 5; ++i) {
    kids.push_back(childWithHook(i));
    root.addChild(kids.back());
  }
  kids[1]->closed = true;
  kids[3]->closed = true;
  root.draw();
  ASSERT_EQ(root.children.size(), 3u);
  EXPECT_EQ(root.children[0], kids[0]);
  EXPECT_EQ(root.children[1], kids[2]);
  EXPECT_EQ(root.children[2], kids[4]);
}

TEST_F(SceneNodeTest, ChildClosedWithItsParentsRequestIsReapedFirst) {
  SceneNode root;
  SceneNode* child = new SceneNode();
  root.addChild(child);
  root.requestClose();
  root.draw();  // the child sees the request and closes at once (no children)
  EXPECT_TRUE(child->closed);
  EXPECT_FALSE(root.closed);
  root.draw();
  EXPECT_TRUE(root.closed);
}

SceneNode* builtChild = nullptr;
void buildChild(int32_t) {
  builtChild = childWithHook(9);
  builtChild->hasModel = true;
  currentNode->addChild(builtChild);
}

TEST_F(SceneNodeTest, ChildrenBuiltDuringTheTickAreDrawnInTheSameFrame) {
  SceneNode root;
  root.cues.newCue();
  NodeEvent e;
  e.init(1, true, -1.0);
  e.setCallback(buildChild, 0);
  root.cues.addEvent(e);
  root.cues.fire(0);
  root.draw();
  ASSERT_EQ(root.children.size(), 1u);
  EXPECT_EQ(calls, std::vector<std::string>({"9:1", "9:2"}));
}

TEST_F(SceneNodeTest, TimedCloseStillDrawsInItsFrameAndNothingAfter) {
  SceneNode root;
  SceneNode* node = childWithHook(4);
  node->hasModel = true;
  node->cues.newCue();
  NodeEvent e;
  e.init(1, true, 0);
  e.setParams(timedClose, 100, 0, 0);
  node->cues.addEvent(e);
  node->cues.fire(0);
  root.addChild(node);
  frameTime = 200;
  root.draw();
  EXPECT_TRUE(node->closeRequested);
  EXPECT_EQ(calls, std::vector<std::string>({"4:1", "4:2"}));
  calls.clear();
  frameTime = 216;
  root.draw();
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(root.children.empty());
}

std::vector<double> seenX;  // the matrix's x translation before each child

void recordMatrixX(int32_t phase, int32_t) {
  if (phase != BeforeChild) return;
  double m[16];
  for (int i = 0; i < 16; ++i) m[i] = modelViewStack.top()[i];
  seenX.push_back(m[12]);
}

// Nodes that move nothing skip saving the matrix; a move below them, by an
// event's delta or by a transform, must still stay with its own node.
TEST_F(SceneNodeTest, MovesStayWithTheirNodeWhenStillNodesSaveNoMatrix) {
  seenX.clear();
  SceneNode root;
  root.addHook(recordMatrixX, 0);
  SceneNode* mover = new SceneNode();
  mover->addHook(recordMatrixX, 0);
  NodeEvent e;
  e.init(1, true, 0);
  e.setMotion(linearMove, 0, 2, 0, 0);
  mover->timeline.addEvent(e);
  mover->timeline.events[0].t = 1000;  // the tick adds a step of 0: x moves by 2
  SceneNode* still = new SceneNode();
  still->addHook(recordMatrixX, 0);
  SceneNode* placed = new SceneNode();
  placed->transform.setPosition(3, 0, 0);
  placed->addHook(recordMatrixX, 0);
  placed->addChild(new SceneNode());
  still->addChild(placed);
  still->addChild(new SceneNode());
  mover->addChild(still);
  root.addChild(mover);
  root.addChild(new SceneNode());
  root.draw();
  // root before mover, mover before still, still before placed, placed
  // before its child, still before its second child, root before its second.
  EXPECT_EQ(seenX, std::vector<double>({0, 2, 2, 5, 2, 0}));
  double m[16];
  modelView(m);
  EXPECT_EQ(m[12], 0);
}

TEST_F(SceneNodeTest, TransformAppliesTranslationThenRotations) {
  Transform t;
  t.setPosition(0, 0, 5);
  t.setRotation(0, 0, 90);
  t.apply();
  double m[16];
  modelView(m);
  EXPECT_NEAR(m[14], 5, 1e-6);
  EXPECT_NEAR(m[0], 0, 1e-6);  // x axis turned onto y
  EXPECT_NEAR(m[1], 1, 1e-6);
}

}  // namespace

namespace {

void recordPhaseAndX(int32_t phase, int32_t value) {
  calls.push_back(std::to_string(value) + ":" + std::to_string(phase) + "@" +
                  std::to_string(static_cast<int>(modelViewStack.top()[12])));
}

// A node drawn after its siblings comes last with everything below it,
// under its own matrix and inside the parent's hooks, frame after frame.
TEST_F(SceneNodeTest, NodeDrawnAfterItsSiblingsComesLastWithItsSubtree) {
  SceneNode root;
  root.addHook(recordPhaseAndX, 7);
  SceneNode* late = new SceneNode();
  late->hasModel = true;
  late->drawnAfterSiblings = true;
  late->transform.setPosition(3, 0, 0);
  late->addHook(recordPhaseAndX, 1);
  SceneNode* lateChild = new SceneNode();
  lateChild->hasModel = true;
  lateChild->addHook(recordPhaseAndX, 2);
  late->addChild(lateChild);
  SceneNode* sibling = new SceneNode();
  sibling->hasModel = true;
  sibling->addHook(recordPhaseAndX, 3);
  root.addChild(late);
  root.addChild(sibling);
  const std::vector<std::string> frame = {"7:3@0", "3:1@0", "3:2@0", "7:4@0",
                                          "7:3@0", "1:1@3", "1:2@3", "1:3@3",
                                          "2:1@3", "2:2@3", "1:4@3", "7:4@0"};
  for (int i = 0; i < 2; ++i) {
    calls.clear();
    root.draw();
    EXPECT_EQ(calls, frame) << "frame " << i;
    EXPECT_EQ(modelViewStack.top()[12], 0);
  }
}

}  // namespace
