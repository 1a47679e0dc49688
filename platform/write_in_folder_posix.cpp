#include "platform/write_in_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/write_all.h"

namespace {

bool fail(const std::string& text, std::string* why) {
  if (why != nullptr) *why = text;
  return false;
}

// The folders and the file `path` names, without empty and "." parts.
// False when a part is "..": the path could leave the folder.
bool splitInside(const std::string& path, std::vector<std::string>& parts) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(start, slash - start);
    if (part == "..") return false;
    if (!part.empty() && part != ".") parts.push_back(part);
    start = slash + 1;
  }
  return true;
}

// A path ending in "/" or "/." (or empty) names a folder, whatever its
// last named part is.
bool namesNoFile(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  return last.empty() || last == ".";
}

// O_NOFOLLOW: a link in the folder's place fails instead of being entered;
// O_DIRECTORY refuses anything else before it is opened, so a pipe cannot
// block here.
int openSubfolder(int parent, const std::string& name) {
  return openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

// Why `name` in `parent` (shown as `folder`) could not be opened as a
// folder; a link fails with ELOOP or ENOTDIR, depending on the kernel.
std::string subfolderProblem(int error, int parent, const std::string& name,
                             const std::string& folder) {
  struct stat info;
  bool isLink = fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(info.st_mode);
  if (isLink || error == ELOOP) return "a folder on the way is a link: " + folder;
  if (error == ENOENT) return "a folder on the way does not exist: " + folder;
  if (error == ENOTDIR) return "a folder on the way is not a folder: " + folder;
  return "a folder on the way cannot be opened: " + folder + ": " + std::strerror(error);
}

// Walks down the folders of `parts` (all but the last) from `top` and
// returns the last one's descriptor, or -1 with `why` set. Closes `top`.
int openInnermostFolder(int top, const std::vector<std::string>& parts, std::string* why) {
  int folder = top;
  std::string walked;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    walked += (i == 0 ? "" : "/") + parts[i];
    int next = openSubfolder(folder, parts[i]);
    if (next < 0) fail(subfolderProblem(errno, folder, parts[i], walked), why);
    close(folder);
    if (next < 0) return -1;
    folder = next;
  }
  return folder;
}

// A new, empty file in `folder` under a name nobody else uses (O_EXCL:
// never one that already exists, link or not); its name goes to `name`.
int createTemporary(int folder, std::string& name) {
  static unsigned long counter =
      static_cast<unsigned long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = ".halvenrode-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    int fd = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename replaces the directory entry `name` itself: a link there is
// replaced, not followed; a folder there makes it fail (EISDIR).
bool writeThenRename(int folder, const std::string& name, const uint8_t* bytes, size_t size,
                     std::string* why) {
  std::string temporary;
  int fd = createTemporary(folder, temporary);
  if (fd < 0) return fail(std::string("the file cannot be created: ") + std::strerror(errno), why);
  bool written = writeAll(fd, bytes, size);
  int error = errno;
  if (close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && renameat(folder, temporary.c_str(), folder, name.c_str()) == 0) return true;
  if (written) error = errno;
  unlinkat(folder, temporary.c_str(), 0);
  if (error == EISDIR) return fail("a folder stands there", why);
  return fail(std::string("the file cannot be written: ") + std::strerror(error), why);
}

}  // namespace

bool writeFileInFolder(const std::string& folder, const std::string& relativePath,
                       const uint8_t* bytes, size_t size, std::string* why) {
  std::vector<std::string> parts;
  // A zero byte would end the path early for the system ("..\0x" is "..").
  if (relativePath.find('\0') != std::string::npos) return fail("the path holds a zero byte", why);
  if ((!relativePath.empty() && relativePath[0] == '/') || !splitInside(relativePath, parts)) {
    return fail("the path leaves the folder", why);
  }
  if (namesNoFile(relativePath) || parts.empty()) {
    return fail("the path names a folder, not a file", why);
  }
  std::string top = folder.empty() ? "." : folder;
  int opened = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
  if (opened < 0) return fail(subfolderProblem(errno, AT_FDCWD, top, top), why);
  int innermost = openInnermostFolder(opened, parts, why);
  if (innermost < 0) return false;
  bool ok = writeThenRename(innermost, parts.back(), bytes, size, why);
  close(innermost);
  return ok;
}
