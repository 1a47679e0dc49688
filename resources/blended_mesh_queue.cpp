#include "resources/blended_mesh_queue.h"

#include <GL/gl.h>

#include "resources/mesh.h"

BlendedMeshQueue blendedMeshQueue;

void BlendedMeshQueue::add(Mesh* mesh) { meshes_.push_back(mesh); }

// Queue order, no depth sorting; depth writes stay off so that blended
// meshes do not hide each other.
void BlendedMeshQueue::flush() {
  glDepthMask(GL_FALSE);
  for (Mesh* mesh : meshes_) mesh->drawBlended();
  glDepthMask(GL_TRUE);
  meshes_.clear();
}
