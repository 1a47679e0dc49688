#include "x_server.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

// Generous for a loaded two-core machine; a healthy server answers in well
// under a second.
constexpr int kStartTimeoutMs = 20000;
// Display numbers for test servers, clear of the ones people and scripts
// usually pick.
constexpr int kFirstDisplay = 300;
constexpr int kDisplayRange = 600;

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Reads the display number the server writes once it listens (-displayfd).
std::string readDisplayNumber(int fd, Clock::time_point deadline) {
  std::string text;
  while (text.find('\n') == std::string::npos) {
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, millisecondsLeft(deadline)) <= 0) return std::string();
    char buffer[32];
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) return std::string();
    text.append(buffer, static_cast<size_t>(got));
  }
  return text.substr(0, text.find('\n'));
}

// Polls until a client can connect, as the clients of a test will.
bool answers(const std::string& display, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    if (Display* connection = XOpenDisplay(display.c_str())) {
      XCloseDisplay(connection);
      return true;
    }
    usleep(20000);
  }
  return false;
}

// Starts Xvfb on display `number`; the server writes the number to the
// pipe once it listens (-displayfd) and exits at once when another server
// holds that display. Without -noreset the server would reset whenever its
// last client leaves, refusing connections meanwhile: between two tests,
// or right after the readiness check. Returns the pid, or -1 when it did
// not come up.
pid_t startOnDisplay(int number, Clock::time_point deadline) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    std::string display = ":" + std::to_string(number);
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0",
           "1024x768x24", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  bool ready = pid > 0 && readDisplayNumber(fds[0], deadline) == std::to_string(number);
  close(fds[0]);
  if (ready || pid <= 0) return ready ? pid : -1;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return -1;
}

bool displayLooksFree(int number) {
  std::string n = std::to_string(number);
  return access(("/tmp/.X" + n + "-lock").c_str(), F_OK) != 0 &&
         access(("/tmp/.X11-unix/X" + n).c_str(), F_OK) != 0;
}

}  // namespace

// Display numbers are taken from a range of their own, starting at a place
// that depends on the process, so that test programs running side by side
// rarely try the same number.
XvfbServer::XvfbServer() {
  auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  const int first = kFirstDisplay + static_cast<int>(getpid() % kDisplayRange);
  for (int i = 0; i < kDisplayRange && Clock::now() < deadline; ++i) {
    int number = kFirstDisplay + (first - kFirstDisplay + i) % kDisplayRange;
    if (!displayLooksFree(number)) continue;
    pid_ = startOnDisplay(number, deadline);
    if (pid_ <= 0) continue;
    if (answers(":" + std::to_string(number), deadline)) display_ = ":" + std::to_string(number);
    return;
  }
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}
