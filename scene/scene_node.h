#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scene/cue_set.h"
#include "scene/node_timeline.h"
#include "scene/transform.h"

class Mesh;

// Hook phases: around the node's own meshes, and around each child.
enum HookPhase : int32_t {
  BeforeMeshes = 1,
  AfterMeshes = 2,
  BeforeChild = 3,
  AfterChild = 4,
};

using HookFunction = void (*)(int32_t phase, int32_t value);

struct DrawHook {
  HookFunction function;
  int32_t value;
};

// A node of the scene tree: base transform, timeline and cues, draw hooks,
// meshes of the model entries it loaded, and children in draw order. Drawing
// a node also advances it; nodes are taken down by close requests, which
// spread down the tree, and are freed by their parent once closed.
class SceneNode {
 public:
  SceneNode();
  ~SceneNode();
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;

  // Appends the meshes of one model entry; counts one use of the archive
  // until this node is destroyed.
  void loadModel(const std::string& archiveName, const std::string& entryName);
  // The shared texture of an image entry, for content that draws with it
  // by itself; 0 when there is no such image. Holds one use of it and of
  // its archive until this node is destroyed.
  uint32_t holdTexture(const std::string& archiveName, const std::string& entryName);
  void addChild(SceneNode* child);
  void addHook(HookFunction function, int32_t value);
  void requestClose();
  void draw();

  Transform transform;
  NodeTimeline timeline;
  CueSet cues;
  bool closeRequested = false;
  bool closed = false;
  std::vector<DrawHook> hooks;
  std::vector<Mesh*> meshes;
  std::vector<std::string> archiveNames;
  struct HeldTexture {
    std::string archiveName, entryName;
    uint32_t texture;
  };
  std::vector<HeldTexture> heldTextures;
  bool hasModel = false;
  // The node, with everything below it, is drawn after its parent's other
  // children. For an opaque model that everything else stands in front of:
  // drawn last, the fragments those hide are rejected by the depth test
  // before they are shaded. Only for a subtree whose picture cannot depend
  // on the order: opaque and depth-tested, or drawn over that model alone,
  // with nothing in the blended queue.
  bool drawnAfterSiblings = false;
  std::vector<SceneNode*> children;

 private:
  void callHooks(int32_t phase) const;
  void drawMeshes();
  void reapClosedChildren();
  void drawChildren();
  void drawChild(SceneNode* child);

  // Whether the frame's first picture showed the node, for the pictures
  // drawn again for other monitors: its own events may ask it to close
  // once it is drawing, as a clock glyph that has just gone out of date
  // does, and it still shows in that frame.
  bool shownThisFrame_ = true;
};
