#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An anonymous in-memory file with a path that open() accepts, so readers
// that only take a file name can be fed bytes without touching the disk.
class MemoryFile {
 public:
  MemoryFile();
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

  // Makes the file hold exactly these bytes.
  bool replace(const uint8_t* bytes, size_t size);
  // The file's current content.
  std::vector<uint8_t> content() const;

 private:
  int fd_ = -1;
  std::string path_;
};
