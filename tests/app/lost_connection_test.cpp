#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/lost_connection.h"

namespace {

constexpr int kEarlierHandlerStatus = 42;

void earlierHandler(int) { _exit(kEarlierHandlerStatus); }

enum class Peer { Closed, OpenAndQuiet, OpenWithAReplyWaiting };

// A fault while the connection's other end is as given, with a handler of
// the program's own installed before the watch.
void faultWithPeer(Peer peer) {
  signal(SIGSEGV, earlierHandler);
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) _exit(3);
  endFaultsAfterLostConnection(ends[0], "halvenrode: lost the server");
  if (peer == Peer::Closed) close(ends[1]);
  if (peer == Peer::OpenWithAReplyWaiting && write(ends[1], "r", 1) != 1) _exit(3);
  raise(SIGSEGV);
  _exit(4);
}

TEST(LostConnection, OnlyAFaultAfterThePeerClosedEndsWithTheLine) {
  EXPECT_EXIT(faultWithPeer(Peer::Closed), testing::ExitedWithCode(1),
              "^halvenrode: lost the server\n$");
  for (Peer open : {Peer::OpenAndQuiet, Peer::OpenWithAReplyWaiting}) {
    EXPECT_EXIT(faultWithPeer(open), testing::ExitedWithCode(kEarlierHandlerStatus), "^$");
  }
}

}  // namespace
