#include "platform/write_all.h"

#include <unistd.h>

#include <cerrno>

bool writeAll(int fd, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t written = write(fd, bytes + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}
