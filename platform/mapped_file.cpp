#include "platform/mapped_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include "platform/mapping_guard.h"

MappedFile::~MappedFile() { clear(); }

void MappedFile::clear() {
  if (mapped_ != nullptr) {
    unguardMapping(mapped_);
    munmap(const_cast<uint8_t*>(mapped_), mappedSize_);
  }
  mapped_ = nullptr;
  mappedSize_ = 0;
  copy_.clear();
  copy_.shrink_to_fit();
}

FileRead MappedFile::map(const std::string& path, uint64_t maxBytes, std::string* why) {
  clear();
  int fd = -1;
  uint64_t size = 0;
  FileRead opened = openRegularFile(path, maxBytes, &fd, &size, why);
  if (opened != FileRead::Done) return opened;
  // PROT_READ and MAP_PRIVATE: nothing here can write to the file, and the
  // pages stay the page cache's as long as nothing writes to them.
  void* pages = size > 0 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
  close(fd);
  // Unguarded, a file shortened in place would end the process on a read.
  if (pages != MAP_FAILED && !guardMapping(pages, size)) {
    munmap(pages, size);
    pages = MAP_FAILED;
  }
  if (pages == MAP_FAILED) return readRegularFile(path, maxBytes, copy_, why);
  mapped_ = static_cast<const uint8_t*>(pages);
  mappedSize_ = static_cast<size_t>(size);
  return FileRead::Done;
}
