#include "tools/config/settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/paths.h"
#include "tools/config/settings_writer.h"

namespace {

constexpr int kPollMs = 20;

// The lock file may belong to another user who wrote the settings before;
// reading is enough to lock it. On failure errno is the first attempt's:
// when the folder refuses a new file, the retry only adds that there is
// none to read.
int openLockFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd >= 0 || errno != EACCES) return fd;
  fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) errno = EACCES;
  return fd;
}

// The settings file when its folder refuses a new file, which keeps the
// settings file from being written as well; else the lock file, which is
// then itself in the way (a folder of that name, another user's private
// file).
std::string describeLockFailure(const std::string& settingsPath, int error) {
  std::string folder = folderOfPath(settingsPath);
  if (folder == settingsPath) folder = ".";
  bool folderRefuses =
      error == EROFS || ((error == EACCES || error == EPERM) && access(folder.c_str(), W_OK) != 0);
  return describeWriteFailure(folderRefuses ? settingsPath : settingsPath + ".lock", error);
}

}  // namespace

SettingsLock::SettingsLock(const std::string& settingsPath, int waitMs) {
  const std::string lockPath = settingsPath + ".lock";
  fd_ = openLockFile(lockPath);
  if (fd_ < 0) {
    problem_ = describeLockFailure(settingsPath, errno);
    return;
  }
  for (int waited = 0;; waited += kPollMs) {
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) break;
    if (waited >= waitMs) {
      problem_ = "cannot change " + settingsPath +
                 ": another program has been changing the settings for too long";
      return;
    }
    usleep(kPollMs * 1000);
  }
  problem_ = describeLockFailure(settingsPath, errno);
}

SettingsLock::~SettingsLock() {
  if (fd_ >= 0) close(fd_);  // also releases the lock
}
