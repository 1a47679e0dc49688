#include "resources/blended_mesh_queue.h"

#include <GL/gl.h>

#include "resources/mesh.h"

BlendedMeshQueue blendedMeshQueue;

void BlendedMeshQueue::add(Mesh* mesh) { meshes_.push_back(mesh); }

// Queue order, no depth sorting; depth writes stay off so that blended
// meshes do not hide each other. Each mesh sees its neighbours in the queue
// so that a run of alike meshes switches its states once.
void BlendedMeshQueue::flush() {
  glDepthMask(GL_FALSE);
  for (size_t i = 0; i < meshes_.size(); ++i) {
    const Mesh* previous = i > 0 ? meshes_[i - 1] : nullptr;
    const Mesh* next = i + 1 < meshes_.size() ? meshes_[i + 1] : nullptr;
    meshes_[i]->drawBlendedInRun(previous, next);
  }
  glDepthMask(GL_TRUE);
  meshes_.clear();
}
