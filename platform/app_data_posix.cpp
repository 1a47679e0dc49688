#include "platform/app_data.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

void dropTrailingSeparators(std::string& folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
}

// The base directory rules take only absolute paths: a relative one would
// name a different folder from every working folder, and an empty one none.
bool absolute(const char* path) { return path != nullptr && path[0] == '/'; }

// The first absolute entry of a colon-separated list; empty when none is.
std::string firstAbsoluteEntry(const std::string& list) {
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    if (list[start] == '/') return list.substr(start, end - start);
    start = end + 1;
  }
  return std::string();
}

}  // namespace

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (absolute(home)) return home;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

bool createFolders(const std::string& folder, unsigned mode) {
  for (size_t i = 1; i <= folder.size(); ++i) {
    if (i == folder.size() || folder[i] == '/') {
      if (mkdir(folder.substr(0, i).c_str(), mode) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool commonAppDataFolder(std::string& folder, bool create) {
  const char* dirs = std::getenv("XDG_CONFIG_DIRS");
  std::string first = firstAbsoluteEntry(dirs != nullptr ? dirs : "");
  if (first.empty()) first = "/etc/xdg";
  dropTrailingSeparators(first);
  // Failures are left for the caller's open to notice.
  if (create) createFolders(first, 0755);
  folder = first;
  return true;
}

bool userConfigFolder(std::string& folder) {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (absolute(configHome)) {
    folder = configHome;
  } else {
    std::string home = homeFolder();
    if (home.empty()) return false;
    folder = home + "/.config";
  }
  dropTrailingSeparators(folder);
  return true;
}
