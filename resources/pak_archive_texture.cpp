#include "resources/image_texture.h"
#include "resources/pak_archive.h"

// Texture slots of the entries: an image entry is decoded and uploaded on its
// first acquisition and shared by later ones until its last release.

uint32_t PakArchive::acquireTexture(const std::string& name) {
  Entry* entry = find(name);
  if (entry == nullptr) return 0;
  // A failed decode leaves the slot at 0 and is tried again next time.
  if (entry->texture == 0) entry->texture = uploadImageTexture(entry->data, entry->size);
  entry->textureUses += 1;
  return entry->texture;
}

void PakArchive::releaseTexture(uint32_t texture) {
  if (texture == 0) return;
  for (Entry& entry : entries_) {
    if (entry.texture != texture) continue;
    entry.textureUses -= 1;
    if (entry.textureUses == 0) {
      releaseImageTexture(texture);
      entry.texture = 0;
    }
  }
}
