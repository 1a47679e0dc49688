#include "tests/fuzz/memory_file.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MemoryFile::MemoryFile() : fd_(memfd_create("halvenrode-fuzz", 0)) {
  if (fd_ >= 0) path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
  if (fd_ >= 0) close(fd_);
}

bool MemoryFile::replace(const uint8_t* bytes, size_t size) {
  if (fd_ < 0 || ftruncate(fd_, 0) != 0) return false;
  size_t written = 0;
  while (written < size) {
    ssize_t n = pwrite(fd_, bytes + written, size - written, static_cast<off_t>(written));
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

std::vector<uint8_t> MemoryFile::content() const {
  struct stat info;
  if (fd_ < 0 || fstat(fd_, &info) != 0) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
  size_t read = 0;
  while (read < bytes.size()) {
    ssize_t n = pread(fd_, bytes.data() + read, bytes.size() - read, static_cast<off_t>(read));
    if (n <= 0) return {};
    read += static_cast<size_t>(n);
  }
  return bytes;
}
