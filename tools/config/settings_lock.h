#pragma once
#include <string>

// An advisory lock on a lock file beside the settings file ("…_cfg.lock"),
// held from before the settings are read until after they are replaced:
// two programs changing options at the same time then take turns, and
// neither change is lost. The settings file itself is never locked: it is
// replaced by a rename, and readers only ever see a whole file.
class SettingsLock {
 public:
  // Waits up to `waitMs` for the lock. The folder must exist.
  explicit SettingsLock(const std::string& settingsPath, int waitMs = 10000);
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

  bool held() const { return held_; }
  // Why the lock is not held, in one line naming the file in the way.
  const std::string& problem() const { return problem_; }

 private:
  int fd_ = -1;
  bool held_ = false;
  std::string problem_;
};
