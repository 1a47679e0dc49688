#include "resources/pak_cache.h"

PakCache pakCache;

size_t PakCache::indexOf(const std::string& archiveName) const {
  for (size_t i = 0; i < archives_.size(); ++i) {
    if (archives_[i].name == archiveName) return i;
  }
  return archives_.size();
}

PakArchive* PakCache::acquireArchive(const std::string& archiveName) {
  size_t index = indexOf(archiveName);
  if (index < archives_.size()) {
    archives_[index].uses += 1;
    return archives_[index].archive.get();
  }
  OpenArchive opened;
  opened.name = archiveName;
  opened.archive = load(archiveName);
  opened.uses = 1;
  archives_.push_back(std::move(opened));
  return archives_.back().archive.get();
}

// The file read from the base folder; one that cannot be read is reported
// and, should the handler let the program go on, stands as an empty archive.
std::unique_ptr<PakArchive> PakCache::load(const std::string& archiveName) const {
  std::string path = archivePath(baseFolder_, archiveName);
  std::string why;
  std::unique_ptr<PakArchive> archive = PakArchive::tryLoad(path, &why);
  if (archive != nullptr) return archive;
  if (unreadable_ != nullptr) unreadable_(unreadableArchiveText(path, why));
  return std::unique_ptr<PakArchive>(new PakArchive());
}

std::pair<const uint8_t*, uint32_t> PakCache::findEntry(const std::string& archiveName,
                                                        const std::string& entryName) {
  return acquireArchive(archiveName)->findEntry(entryName);
}

uint32_t PakCache::acquireTexture(const std::string& archiveName, const std::string& entryName) {
  return acquireArchive(archiveName)->acquireTexture(entryName);
}

void PakCache::releaseTexture(const std::string& archiveName, uint32_t texture) {
  size_t index = indexOf(archiveName);
  if (index == archives_.size()) return;
  archives_[index].archive->releaseTexture(texture);
  endUse(index);
}

void PakCache::releaseArchive(const std::string& archiveName) {
  size_t index = indexOf(archiveName);
  if (index < archives_.size()) endUse(index);
}

// The last use destroys the archive; the entry data goes with it.
void PakCache::endUse(size_t index) {
  archives_[index].uses -= 1;
  if (archives_[index].uses == 0) archives_.erase(archives_.begin() + static_cast<long>(index));
}

int PakCache::useCount(const std::string& archiveName) const {
  size_t index = indexOf(archiveName);
  return index < archives_.size() ? archives_[index].uses : 0;
}

const PakArchive* PakCache::peekArchive(const std::string& archiveName) const {
  size_t index = indexOf(archiveName);
  return index < archives_.size() ? archives_[index].archive.get() : nullptr;
}
