#include "platform/lost_connection.h"

#include <errno.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace {

constexpr int kFaults[] = {SIGSEGV, SIGBUS};
constexpr size_t kMessageBytes = 256;

// Read by the handler only, which may use no more than a fixed buffer.
int watchedSocket = -1;
char message[kMessageBytes];
size_t messageLength = 0;
struct sigaction before[sizeof kFaults / sizeof kFaults[0]];

// A connection its peer closed reads as its end (0) or as reset; one still
// open has nothing to read yet, or something. Any other answer (a socket
// already closed here, or its number reused) says nothing of the server.
bool peerClosed() {
  char byte = 0;
  ssize_t got = recv(watchedSocket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  if (got >= 0) return got == 0;
  return errno == ECONNRESET || errno == EPIPE || errno == ENOTCONN;
}

// A fault of our own is raised again under the handler that was there
// before, once this one returns.
void onFault(int signalNumber) {
  int savedErrno = errno;
  if (peerClosed()) {
    ssize_t written = write(STDERR_FILENO, message, messageLength);
    (void)written;
    _exit(1);
  }
  for (size_t i = 0; i < sizeof kFaults / sizeof kFaults[0]; ++i) {
    if (kFaults[i] == signalNumber) sigaction(signalNumber, &before[i], nullptr);
  }
  raise(signalNumber);
  errno = savedErrno;
}

}  // namespace

// A later call watches another connection with the handler in place.
void endFaultsAfterLostConnection(int socket, const std::string& text) {
  std::string line = text + "\n";
  messageLength = line.size() < kMessageBytes ? line.size() : kMessageBytes;
  std::memcpy(message, line.data(), messageLength);
  watchedSocket = socket;
  static bool installed = false;
  if (installed) return;
  installed = true;
  struct sigaction action = {};
  action.sa_handler = onFault;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < sizeof kFaults / sizeof kFaults[0]; ++i) {
    sigaction(kFaults[i], &action, &before[i]);
  }
}
