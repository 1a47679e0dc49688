#pragma once
#include <string>

// Puts "NAME=value" into this process's environment, where children started
// afterwards inherit it. Returns false on a malformed assignment.
bool putEnvironment(const std::string& assignment);
