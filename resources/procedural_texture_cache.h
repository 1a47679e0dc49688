#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ProceduralTexture;

// Computed textures by their full name ("x#Plasma64x64,0,0,200",
// "x#Fire64x128"), each made on first acquisition, shared by every mesh that
// names it and deleted when the last of them releases it.
class ProceduralTextureCache {
 public:
  ProceduralTextureCache();
  ~ProceduralTextureCache();
  ProceduralTextureCache(const ProceduralTextureCache&) = delete;
  ProceduralTextureCache& operator=(const ProceduralTextureCache&) = delete;

  // The texture of that name, made on first use; counts one use. 0 for a
  // name that does not describe a known kind with sound sizes (nothing is
  // recorded then).
  uint32_t acquire(const std::string& name);

  // Ends one use; the last one deletes the texture. Unknown names are ignored.
  void release(const std::string& name);

  // Regenerates and re-uploads every texture for the frame time `timeMs`,
  // in acquisition order. Called once per frame after the frame time is set.
  void updateAll(uint32_t timeMs);

  // Inspection: uses of a name (0 when not held) and how many are held.
  int useCount(const std::string& name) const;
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<ProceduralTexture> texture;
    int32_t uses = 0;
  };
  std::vector<Entry> entries_;
};

extern ProceduralTextureCache proceduralTextureCache;
