#pragma once
#include <cstddef>
#include <vector>

class Mesh;

// Meshes whose material asks for blending, queued during the scene draw and
// drawn at the end of the frame with depth writes off, in queue order.
class BlendedMeshQueue {
 public:
  void add(Mesh* mesh);
  void flush();
  size_t size() const { return meshes_.size(); }

 private:
  std::vector<Mesh*> meshes_;
};

extern BlendedMeshQueue blendedMeshQueue;
