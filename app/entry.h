#pragma once
#include <string>

// The program's entry logic: picks the mode from the command-line text (the
// words after the program name) and runs it. Returns the exit status.
int winMain(const std::string& commandLine);
