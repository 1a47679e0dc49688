#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/regular_file.h"

// A file's bytes mapped read-only into memory rather than copied into the
// heap: the pages belong to the page cache, shared with every other process
// reading the file and dropped and read again under memory pressure, where a
// copy would stay private memory of this process for as long as it is held.
//
// What a mapping relies on: nobody rewrites the file in place while it is
// mapped. Deleting the file, or replacing it by renaming another file onto its name
// (the way installations replace files), leaves the mapping on the old
// file's bytes. Bytes rewritten in place show through, so readers must
// treat them as untrusted on every read, as they already do. A file
// shortened in place would make a read of a page past its new end fault;
// the mapping is guarded (mapping_guard.h) so that such pages read as
// zeros instead.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the whole file at `path` (a file-system path) after the checks of
  // readRegularFile: the outcomes and `why` are the ones it gives. An empty
  // file, one the file system cannot map or a mapping that cannot be
  // guarded is read into memory instead.
  // Replaces what was mapped before; empty on failure.
  FileRead map(const std::string& path, uint64_t maxBytes, std::string* why = nullptr);

  const uint8_t* data() const { return mapped_ != nullptr ? mapped_ : copy_.data(); }
  size_t size() const { return mapped_ != nullptr ? mappedSize_ : copy_.size(); }

 private:
  const uint8_t* mapped_ = nullptr;
  size_t mappedSize_ = 0;
  std::vector<uint8_t> copy_;

  void clear();
};
