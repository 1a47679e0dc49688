#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "is a folder, not a file";
  if (S_ISFIFO(mode)) return "is a pipe, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a file";
  return "is not a regular file";
}

std::string sizeText(uint64_t bytes) {
  if (bytes >= (uint64_t{1} << 20) && bytes % (uint64_t{1} << 20) == 0) {
    return std::to_string(bytes >> 20) + " MiB";
  }
  return std::to_string(bytes) + " bytes";
}

FileRead fail(FileRead outcome, const std::string& text, std::string* why) {
  if (why != nullptr) *why = text;
  return outcome;
}

FileRead openFailure(int error, std::string* why) {
  if (error == ENOENT || error == ENOTDIR) return fail(FileRead::Missing, "does not exist", why);
  return fail(FileRead::Unreadable, std::string("cannot be read: ") + std::strerror(error), why);
}

// Reads exactly `size` bytes. Returns 0, or the error number of a failed
// read, or -1 when the file changed size meanwhile: a failed read rather
// than a silently different one.
int readExactly(int fd, std::vector<uint8_t>& bytes, size_t size) {
  bytes.resize(size);
  size_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, bytes.data() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return -1;
    done += static_cast<size_t>(got);
  }
  uint8_t extra = 0;
  ssize_t more = 0;
  do {
    more = read(fd, &extra, 1);
  } while (more < 0 && errno == EINTR);
  if (more < 0) return errno;
  return more == 0 ? 0 : -1;
}

}  // namespace

FileRead readRegularFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string* why) {
  bytes.clear();
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return openFailure(errno, why);
  struct stat info;
  FileRead outcome = FileRead::Done;
  std::string text;
  if (fstat(fd, &info) != 0) {
    outcome = FileRead::Unreadable;
    text = std::string("cannot be read: ") + std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    outcome = FileRead::NotAFile;
    text = kindOf(info.st_mode);
  } else if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > maxBytes) {
    outcome = FileRead::TooLarge;
    text = "is larger than " + sizeText(maxBytes);
  } else if (int error = readExactly(fd, bytes, static_cast<size_t>(info.st_size))) {
    outcome = FileRead::Unreadable;
    text = error > 0 ? std::string("cannot be read: ") + std::strerror(error)
                     : "changed while it was read";
    bytes.clear();
  }
  close(fd);
  if (outcome != FileRead::Done) return fail(outcome, text, why);
  return FileRead::Done;
}
