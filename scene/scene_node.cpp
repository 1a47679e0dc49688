#include "scene/scene_node.h"

#include <GL/gl.h>

#include "resources/gl_switches.h"
#include "resources/mesh.h"
#include "resources/model_reader.h"
#include "resources/model_view_stack.h"
#include "resources/pak_cache.h"
#include "scene/frame_globals.h"

SceneNode::SceneNode() : cues(&timeline) {
  transform.reset();
  transform.scaled = false;
}

SceneNode::~SceneNode() {
  for (const std::string& name : archiveNames) pakCache.releaseArchive(name);
  for (const HeldTexture& held : heldTextures) {
    pakCache.releaseTexture(held.archiveName, held.texture);
  }
  for (Mesh* mesh : meshes) delete mesh;
  // Only closed nodes are normally destroyed, and those have no children
  // left; anything still attached is freed here rather than leaked.
  for (SceneNode* child : children) delete child;
}

void SceneNode::loadModel(const std::string& archiveName, const std::string& entryName) {
  archiveNames.push_back(archiveName);
  readModelEntry(archiveName, entryName, meshes);
  hasModel = true;
}

uint32_t SceneNode::holdTexture(const std::string& archiveName, const std::string& entryName) {
  uint32_t texture = pakCache.acquireTexture(archiveName, entryName);
  heldTextures.push_back({archiveName, entryName, texture});
  return texture;
}

void SceneNode::addChild(SceneNode* child) { children.push_back(child); }

void SceneNode::addHook(HookFunction function, int32_t value) {
  hooks.push_back(DrawHook{function, value});
}

void SceneNode::requestClose() { closeRequested = true; }

namespace {

// Applies `move`, first saving the matrix if this node has not yet.
void applyMove(const Transform& move, bool& saved) {
  if (!move.moves()) return;
  if (!saved) modelViewStack.push();
  saved = true;
  move.apply();
}

}  // namespace

// The matrix is saved only once the node is about to change it: hooks, the
// scaled meshes and the children each restore what they change, so a node
// whose transform and delta move nothing (about two fifths of the scene's)
// leaves the matrix as it found it without a push and pop.
void SceneNode::draw() {
  currentNode = this;
  bool saved = false;
  bool again = framePass() == FramePass::Again;
  if (!again) shownThisFrame_ = !closeRequested;
  applyMove(transform, saved);
  if (shownThisFrame_) {
    if (again) {
      timeline.placeLightsAgain();
    } else {
      timeline.advance();
    }
    applyMove(timeline.delta, saved);
    if (hasModel) {
      callHooks(BeforeMeshes);
      drawMeshes();
      callHooks(AfterMeshes);
    }
  }
  if (!again) reapClosedChildren();
  if (closeRequested && children.empty()) {
    closed = true;
  } else {
    drawChildren();
  }
  if (saved) modelViewStack.pop();
}

void SceneNode::callHooks(int32_t phase) const {
  for (const DrawHook& hook : hooks) hook.function(phase, hook.value);
}

void SceneNode::drawMeshes() {
  if (transform.scaled) {
    modelViewStack.push();
    transform.applyScale();
    setGlSwitch(GL_NORMALIZE, true);
    for (Mesh* mesh : meshes) mesh->draw();
    setGlSwitch(GL_NORMALIZE, false);
    modelViewStack.pop();
  } else {
    for (Mesh* mesh : meshes) mesh->draw();
  }
}

void SceneNode::reapClosedChildren() {
  for (size_t i = 0; i < children.size();) {
    if (children[i]->closed) {
      delete children[i];
      children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
}

void SceneNode::drawChildren() {
  // By index: a child's events never touch this list, but the list may have
  // grown during this node's own tick.
  bool anyLast = false;
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i]->drawnAfterSiblings) {
      anyLast = true;
    } else {
      drawChild(children[i]);
    }
  }
  if (!anyLast) return;
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i]->drawnAfterSiblings) drawChild(children[i]);
  }
}

void SceneNode::drawChild(SceneNode* child) {
  if (closeRequested) child->closeRequested = true;
  callHooks(BeforeChild);
  child->draw();
  callHooks(AfterChild);
}
