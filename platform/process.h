#pragma once
#include <string>
#include <vector>

// How a program started by startProcess went.
struct ProcessOutcome {
  int startError = 0;  // errno of a failed start (missing, not executable), else 0
  int exitStatus = 0;  // the status a waited-for program exited with
  int endSignal = 0;   // the signal that ended a waited-for program, else 0

  bool started() const { return startError == 0; }
  bool succeeded() const { return started() && exitStatus == 0 && endSignal == 0; }
};

// Starts the program file at `path` (already a file-system path) with no
// arguments besides its own name, the inherited environment and
// `workingFolder` as its current directory. With `wait`, blocks until the
// child ends, and the child never outlives this process: should this one
// end first (a signal, a crash), the kernel sends the child SIGTERM.
// Without `wait` the child runs on by itself.
ProcessOutcome startProcess(const std::string& path, const std::string& workingFolder, bool wait);

// Turns this process into the program file at `path` (already a file-system
// path), with `arguments` after its own name, the same environment, working
// folder and process id. Returns only when that fails, with its errno
// (missing, not executable).
int replaceProcess(const std::string& path, const std::vector<std::string>& arguments);
