#include "platform/environment.h"

#include <cstdlib>

bool putEnvironment(const std::string& assignment) {
  size_t equals = assignment.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  std::string name = assignment.substr(0, equals);
  std::string value = assignment.substr(equals + 1);
  return setenv(name.c_str(), value.c_str(), 1) == 0;
}
