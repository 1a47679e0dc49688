#include "tools/config/settings_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "tools/config/settings_writer.h"

namespace {

constexpr int kPollMs = 20;

// The lock file may belong to another user who wrote the settings before;
// reading is enough to lock it.
int openLockFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0 && errno == EACCES) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  return fd;
}

}  // namespace

SettingsLock::SettingsLock(const std::string& settingsPath, int waitMs) {
  const std::string lockPath = settingsPath + ".lock";
  fd_ = openLockFile(lockPath);
  if (fd_ < 0) {
    problem_ = describeWriteFailure(settingsPath, errno);
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
  problem_ = describeWriteFailure(settingsPath, errno);
}

SettingsLock::~SettingsLock() {
  if (fd_ >= 0) close(fd_);  // also releases the lock
}
