// A program started with some of its standard streams closed, or with its
// output on a full device: each case runs in a child process that starts
// as a program would (fillClosedStandardStreams), opens a file, prints its
// result and finishes with finishStandardOutput.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/standard_streams.h"

namespace {

// Statuses the child uses to say what went wrong before its finish.
constexpr int kFileTookAStandardNumber = 100;
constexpr int kStandardInputNotEmpty = 101;

struct StreamCase {
  const char* name;
  std::vector<int> closed;  // descriptors closed when the program starts
  const char* output;       // standard output, when it is open: "file" or a device
  size_t bytes;             // how much the program prints
  bool throughCout;         // with C++'s stream instead of C's
  int status;               // what the program would return
  int expectedStatus;
  const char* expectedError;  // all of standard error, when it is open
};

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void redirect(int fd, const std::string& path, int flags) {
  int opened = open(path.c_str(), flags, 0644);
  if (opened < 0 || dup2(opened, fd) != fd) _exit(99);
  close(opened);
}

// The child's whole life: never returns.
[[noreturn]] void runProgram(const StreamCase& c, const std::string& folder) {
  std::string output = std::string(c.output) == "file" ? folder + "out" : c.output;
  redirect(0, "/dev/null", O_RDONLY);  // never the test runner's own input
  redirect(1, output, O_WRONLY | O_CREAT | O_TRUNC);
  redirect(2, folder + "err", O_WRONLY | O_CREAT | O_TRUNC);
  for (int fd : c.closed) close(fd);
  fillClosedStandardStreams();
  int file = open((folder + "archive").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file <= 2) _exit(kFileTookAStandardNumber);
  char byte = 0;
  if (read(0, &byte, 1) != 0) _exit(kStandardInputNotEmpty);
  std::string text(c.bytes, 'x');
  if (c.throughCout) {
    std::cout << text;
  } else {
    std::fputs(text.c_str(), stdout);
  }
  _exit(finishStandardOutput("probe", c.status));
}

TEST(StandardStreams, ClosedStreamsAreFilledAndOutputThatWentNowhereFails) {
  const std::string kFull = "probe: cannot write the output: No space left on device\n";
  const std::string kClosed = "probe: cannot write the output: Bad file descriptor\n";
  const std::vector<StreamCase> cases = {
      {"printed to a file", {}, "file", 12, false, 0, 0, ""},
      {"printed to a full disk", {}, "/dev/full", 12, false, 0, 1, kFull.c_str()},
      {"streamed to a full disk", {}, "/dev/full", 12, true, 0, 1, kFull.c_str()},
      // Past the C library's buffer the failure comes while printing.
      {"much printed to a full disk", {}, "/dev/full", 100000, false, 0, 1,
       "probe: cannot write the output\n"},
      {"much streamed to a full disk", {}, "/dev/full", 100000, true, 0, 1,
       "probe: cannot write the output\n"},
      {"a failure keeps its status", {}, "/dev/full", 12, false, 2, 2, kFull.c_str()},
      {"printed to a closed output", {1}, "file", 12, false, 0, 1, kClosed.c_str()},
      {"nothing printed to a closed output", {1}, "file", 0, false, 0, 0, ""},
      {"every stream closed", {0, 1, 2}, "file", 12, true, 0, 1, nullptr},
      {"input and errors closed", {0, 2}, "file", 12, false, 3, 3, nullptr},
  };
  for (const StreamCase& c : cases) {
    char pattern[] = "/tmp/halvenrode-streams-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string folder = std::string(pattern) + "/";
    std::cout.flush();
    std::fflush(nullptr);  // nothing of ours left buffered for the child to write again
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) runProgram(c, folder);
    int raw = 0;
    ASSERT_EQ(waitpid(child, &raw, 0), child) << c.name;
    ASSERT_TRUE(WIFEXITED(raw)) << c.name;
    EXPECT_EQ(WEXITSTATUS(raw), c.expectedStatus) << c.name;
    if (c.expectedError != nullptr) {
      EXPECT_EQ(readAll(folder + "err"), c.expectedError) << c.name;
    }
    if (c.expectedStatus == 0 && std::string(c.output) == "file") {
      EXPECT_EQ(readAll(folder + "out").size(), c.bytes) << c.name;
    }
    EXPECT_EQ(readAll(folder + "archive"), "") << c.name;
    for (const char* name : {"out", "err", "archive"}) unlink((folder + name).c_str());
    rmdir(pattern);
  }
}

}  // namespace
