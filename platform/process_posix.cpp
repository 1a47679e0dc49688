#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

extern char** environ;

namespace {

// In the child, between fork and exec: only async-signal-safe calls. A
// failure is written to `report` as the error number and ends the child.
[[noreturn]] void becomeProgram(const std::string& path, const std::string& workingFolder,
                                bool tiedToParent, pid_t parent, int report) {
  int error = 0;
  if (tiedToParent) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The parent may have ended before the line above took effect.
    if (getppid() != parent) _exit(127);
  }
  if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
    error = errno;
  } else {
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    execve(path.c_str(), argv, environ);
    error = errno;
  }
  ssize_t written = write(report, &error, sizeof error);
  (void)written;
  _exit(127);
}

// The error number the child reported before exec, or 0 when exec worked
// (the close-on-exec pipe then ends without a byte).
int startErrorFrom(int report) {
  int error = 0;
  ssize_t got = 0;
  do {
    got = read(report, &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

void waitForEnd(pid_t child, ProcessOutcome& outcome) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return;
  }
  if (WIFEXITED(status)) outcome.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.endSignal = WTERMSIG(status);
}

}  // namespace

ProcessOutcome startProcess(const std::string& path, const std::string& workingFolder, bool wait) {
  ProcessOutcome outcome;
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    outcome.startError = errno;
    return outcome;
  }
  pid_t parent = getpid();
  pid_t child = fork();
  if (child == 0) becomeProgram(path, workingFolder, wait, parent, report[1]);
  int forkError = errno;
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    outcome.startError = forkError;
    return outcome;
  }
  outcome.startError = startErrorFrom(report[0]);
  close(report[0]);
  // A child that could not start has ended already; collect it either way.
  if (outcome.startError != 0) {
    waitpid(child, nullptr, 0);
  } else if (wait) {
    waitForEnd(child, outcome);
  }
  return outcome;
}

int replaceProcess(const std::string& path, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  // What is still buffered would be lost with this process's memory.
  std::fflush(nullptr);
  execv(path.c_str(), argv.data());
  return errno;
}
