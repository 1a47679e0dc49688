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

}  // namespace

XvfbServer::XvfbServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  auto deadline = Clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
  std::string number = pid_ > 0 ? readDisplayNumber(fds[0], deadline) : std::string();
  close(fds[0]);
  if (!number.empty() && answers(":" + number, deadline)) display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}
