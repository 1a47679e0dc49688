#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/paths.h"
#include "platform/write_all.h"

namespace {

std::string folderOrCurrent(const std::string& path) {
  std::string folder = folderOfPath(path);
  if (folder == path) return ".";
  return folder.empty() ? "/" : folder;
}

// Writes the bytes to a fresh temporary file in `folder` and makes them
// durable. Returns its path, or empty with errno set.
std::string writeTemporary(const std::string& folder, const uint8_t* bytes, size_t size,
                           unsigned mode) {
  std::string pattern = folder + "/.halvenrode-XXXXXX";
  int fd = mkstemp(&pattern[0]);
  if (fd < 0) return std::string();
  // mkstemp makes the file private to its owner.
  bool ok = fchmod(fd, static_cast<mode_t>(mode)) == 0 && writeAll(fd, bytes, size) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok) return pattern;
  unlink(pattern.c_str());
  errno = error;
  return std::string();
}

// Makes the rename itself durable; a failure here changes nothing a reader
// could see, so it is not reported.
void syncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool replaceFile(const std::string& path, const uint8_t* bytes, size_t size, unsigned mode) {
  StagedFile staged;
  return stageFile(path, bytes, size, staged, mode) && commitStagedFile(staged);
}

bool stageFile(const std::string& path, const uint8_t* bytes, size_t size, StagedFile& staged,
               unsigned mode) {
  staged.path = path;
  staged.temporary = writeTemporary(folderOrCurrent(path), bytes, size, mode);
  return !staged.temporary.empty();
}

bool commitStagedFile(const StagedFile& staged) {
  if (std::rename(staged.temporary.c_str(), staged.path.c_str()) != 0) {
    int error = errno;
    discardStagedFile(staged);
    errno = error;
    return false;
  }
  syncFolder(folderOrCurrent(staged.path));
  return true;
}

void discardStagedFile(const StagedFile& staged) { unlink(staged.temporary.c_str()); }
