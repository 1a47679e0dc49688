#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/pak_archive.h"

// The process-wide cache of open archives, by the file name they were asked
// for ("main.pak"). Each archive is read once and kept while anything uses
// it: every acquire, findEntry and acquireTexture counts one use, every
// release ends one, and the last release destroys the archive.
class PakCache {
 public:
  PakCache() = default;
  PakCache(const PakCache&) = delete;
  PakCache& operator=(const PakCache&) = delete;

  // The folder archive names are joined to (no separator added). A first
  // character '0' means none: archives open from the working directory.
  void setBaseFolder(const std::string& folder) { baseFolder_ = folder; }
  const std::string& baseFolder() const { return baseFolder_; }

  // What the program makes of an archive file that cannot be read: the
  // handler is given the line to show (see unreadableArchiveText) and may
  // end the process. Without one, or when it returns, the archive stays
  // open with no entries, so every model and texture asked of it is missing.
  using UnreadableArchiveHandler = void (*)(const std::string& problem);
  void setUnreadableArchiveHandler(UnreadableArchiveHandler handler) { unreadable_ = handler; }

  // The open archive of that name, read on first use; counts one use. Never
  // nullptr: a file that cannot be read goes to the handler above.
  PakArchive* acquireArchive(const std::string& archiveName);

  // (data, size) of an entry, or (nullptr, 0); counts one use of the archive
  // even when the entry is missing.
  std::pair<const uint8_t*, uint32_t> findEntry(const std::string& archiveName,
                                                const std::string& entryName);

  // The shared texture of an image entry, or 0; counts one use of the archive.
  uint32_t acquireTexture(const std::string& archiveName, const std::string& entryName);

  // Gives the texture back to its archive (0 touches no entry), then ends
  // one use of the archive.
  void releaseTexture(const std::string& archiveName, uint32_t texture);

  // Ends one use of the archive. An unknown name changes nothing.
  void releaseArchive(const std::string& archiveName);

  // Inspection: the use count of an open archive (0 when not open).
  int useCount(const std::string& archiveName) const;
  bool isOpen(const std::string& archiveName) const { return useCount(archiveName) > 0; }
  // The open archive without counting a use, or nullptr.
  const PakArchive* peekArchive(const std::string& archiveName) const;

 private:
  struct OpenArchive {
    std::string name;
    std::unique_ptr<PakArchive> archive;
    int32_t uses = 0;
  };
  // The digit zero: no folder until start-up sets the installation folder.
  std::string baseFolder_ = "0";
  std::vector<OpenArchive> archives_;
  UnreadableArchiveHandler unreadable_ = nullptr;

  size_t indexOf(const std::string& archiveName) const;
  std::unique_ptr<PakArchive> load(const std::string& archiveName) const;
  void endUse(size_t index);
};

extern PakCache pakCache;
