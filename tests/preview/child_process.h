#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// A program started by a test, with its output streams in files and a
// bounded wait for its end. A child still running when the object goes is
// killed.
class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> arguments;        // after the program's own name
    std::vector<std::string> environment;      // NAME=value, added to the test's own
    std::string outputFile = "/dev/null";      // standard output goes here
    std::string errorFile = "/dev/null";       // standard error goes here
    uid_t user = 0;                            // switch to this user when non-zero
    gid_t group = 0;
  };

  // `program` is a path, or a bare name looked up in PATH.
  ChildProcess(const std::string& program, const Options& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // Waits up to `timeoutMs` for the end; true with the exit status when the
  // child exited normally.
  bool waitForExit(int timeoutMs, int& status);
  // Whether the child is still running (reaps it when it is not).
  bool running();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int rawStatus_ = 0;
};

// The whole content of a text file; empty when it cannot be read.
std::string fileText(const std::string& path);

// Polls `condition` every 10 ms until it holds or `timeoutMs` has passed.
template <typename Condition>
bool waitUntil(int timeoutMs, Condition condition);

#include "child_process_wait.h"
