#include "platform/process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

bool startProcess(const std::string& path, const std::string& workingFolder, bool wait) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingFolder.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  }
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  pid_t child = 0;
  // glibc reports a failed exec (missing file, no permission, bad folder) as
  // the result of posix_spawn itself, so `started` is exact.
  int error = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  if (wait) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }
  return true;
}
