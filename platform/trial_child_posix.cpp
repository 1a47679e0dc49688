#include "platform/trial_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {

// The child's one byte: 1 when the trial returned true. What the trial
// prints goes nowhere: the program that asked answers for its own output.
[[noreturn]] void runTrial(const std::function<bool()>& trial, pid_t parent, int answer) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(1);
  prctl(PR_SET_DUMPABLE, 0);
  int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (nowhere >= 0) {
    dup2(nowhere, STDOUT_FILENO);
    dup2(nowhere, STDERR_FILENO);
  }
  char worked = trial() ? 1 : 0;
  ssize_t written = write(answer, &worked, 1);
  (void)written;
  _exit(0);
}

// Waits up to `budgetMs` for the child's byte; a child that ends without
// one closes the pipe, which reads as no answer.
bool answeredYes(int answer, int budgetMs) {
  using Clock = std::chrono::steady_clock;
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(budgetMs);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0) return false;
    pollfd ready = {answer, POLLIN, 0};
    int polled = poll(&ready, 1, static_cast<int>(left.count()));
    if (polled < 0 && errno == EINTR) continue;
    if (polled != 1) return false;
    char worked = 0;
    return read(answer, &worked, 1) == 1 && worked == 1;
  }
}

}  // namespace

bool succeedsInChild(const std::function<bool()>& trial, int budgetMs) {
  int answer[2];
  if (pipe2(answer, O_CLOEXEC) != 0) return false;
  pid_t parent = getpid();
  pid_t child = fork();
  if (child == 0) {
    close(answer[0]);
    runTrial(trial, parent, answer[1]);
  }
  close(answer[1]);
  bool worked = child > 0 && answeredYes(answer[0], budgetMs);
  close(answer[0]);
  if (child > 0) {
    kill(child, SIGKILL);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  return worked;
}
