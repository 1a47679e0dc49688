#include "platform/paths.h"

#include <limits.h>
#include <unistd.h>

std::string nativePath(const std::string& path) {
  std::string result = path;
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

std::string folderOfPath(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i) {
    char c = path[i - 1];
    if (c == '\\' || c == '/') return path.substr(0, i - 1);
  }
  return path;
}

std::string executableFolder() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return std::string();
  std::string exe(buffer, static_cast<size_t>(length));
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return std::string();
  return exe.substr(0, slash + 1);
}
