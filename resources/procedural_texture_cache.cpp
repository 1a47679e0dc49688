#include "resources/procedural_texture_cache.h"

#include "resources/fire_texture.h"
#include "resources/plasma_texture.h"
#include "resources/procedural_name.h"
#include "resources/procedural_texture.h"

ProceduralTextureCache proceduralTextureCache;

ProceduralTextureCache::ProceduralTextureCache() = default;

// At process exit there may be no OpenGL context left: only memory is freed.
ProceduralTextureCache::~ProceduralTextureCache() = default;

namespace {

ProceduralTexture* makeTexture(const ProceduralTextureRequest& request) {
  if (request.kind == ProceduralTextureRequest::Kind::Fire) {
    return new ProceduralTexture(generateFire, makeFireState(request.width, request.height),
                                 releaseFireState, request.width, request.height);
  }
  return new ProceduralTexture(generatePlasma, makePlasmaColour(request.colour),
                               releasePlasmaColour, request.width, request.height);
}

}  // namespace

uint32_t ProceduralTextureCache::acquire(const std::string& name) {
  for (Entry& entry : entries_) {
    if (entry.name == name) {
      entry.uses += 1;
      return entry.texture->texture();
    }
  }
  ProceduralTextureRequest request;
  if (!parseProceduralTextureName(name, request)) return 0;
  Entry entry;
  entry.name = name;
  entry.texture.reset(makeTexture(request));
  entry.uses = 1;
  entries_.push_back(std::move(entry));
  return entries_.back().texture->texture();
}

void ProceduralTextureCache::release(const std::string& name) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name != name) continue;
    entries_[i].uses -= 1;
    if (entries_[i].uses == 0) {
      entries_[i].texture->deleteTexture();
      entries_.erase(entries_.begin() + static_cast<long>(i));
    }
    return;
  }
}

void ProceduralTextureCache::updateAll(uint32_t timeMs) {
  for (Entry& entry : entries_) entry.texture->update(timeMs);
}

int ProceduralTextureCache::useCount(const std::string& name) const {
  for (const Entry& entry : entries_) {
    if (entry.name == name) return entry.uses;
  }
  return 0;
}
