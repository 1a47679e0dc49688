#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/lost_connection.h"

namespace {

constexpr int kEarlierHandlerStatus = 42;

void earlierHandler(int) { _exit(kEarlierHandlerStatus); }

// A fault while the connection's other end is open or closed, with a
// handler of the program's own installed before the watch.
void faultWithPeer(bool peerOpen) {
  signal(SIGSEGV, earlierHandler);
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) _exit(3);
  endFaultsAfterLostConnection(ends[0], "halvenrode: lost the server");
  if (!peerOpen) close(ends[1]);
  raise(SIGSEGV);
  _exit(4);
}

TEST(LostConnection, OnlyAFaultAfterThePeerClosedEndsWithTheLine) {
  EXPECT_EXIT(faultWithPeer(false), testing::ExitedWithCode(1), "^halvenrode: lost the server\n$");
  EXPECT_EXIT(faultWithPeer(true), testing::ExitedWithCode(kEarlierHandlerStatus), "^$");
}

}  // namespace
