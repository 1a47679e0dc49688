#pragma once
#include <string>

// Starts the program file at `path` (already a file-system path) with no
// arguments besides its own name, the inherited environment and
// `workingFolder` as its current directory. With `wait`, blocks until the
// child ends. Returns true when the child started.
bool startProcess(const std::string& path, const std::string& workingFolder, bool wait);
