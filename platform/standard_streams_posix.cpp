#include "platform/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace {

bool isClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

// Opened for reading: standard input then reads as empty, and a write to
// standard output or error fails with EBADF as it did on the closed one.
void fillClosedStandardStreams() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (!isClosed(fd)) continue;
    int opened = open("/dev/null", O_RDONLY);
    if (opened < 0) _exit(127);
    if (opened == fd) continue;
    if (dup2(opened, fd) != fd) _exit(127);
    close(opened);
  }
}

// C++'s stream writes through C's stdout (the two are kept in step), so
// one flush reaches the descriptor. The reason is known only when this
// flush fails: after an earlier failed write the C library has dropped its
// buffer, and errno may since have been set by anything.
int finishStandardOutput(const char* program, int status) {
  bool failed = std::cout.fail() || std::ferror(stdout) != 0;
  int reason = 0;
  errno = 0;
  if (!failed && (!std::cout.flush() || std::fflush(stdout) != 0)) {
    failed = true;
    reason = errno;
  }
  if (!failed) return status;
  if (reason != 0) {
    std::fprintf(stderr, "%s: cannot write the output: %s\n", program, std::strerror(reason));
  } else {
    std::fprintf(stderr, "%s: cannot write the output\n", program);
  }
  return status != 0 ? status : 1;
}
