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

}  // namespace

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
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
  std::string first;
  if (dirs != nullptr) {
    first = dirs;
    size_t colon = first.find(':');
    if (colon != std::string::npos) first.resize(colon);
  }
  if (first.empty()) first = "/etc/xdg";
  dropTrailingSeparators(first);
  // Failures are left for the caller's open to notice.
  if (create) createFolders(first, 0755);
  folder = first;
  return true;
}

bool userConfigFolder(std::string& folder) {
  // A relative XDG_CONFIG_HOME is invalid and is ignored, as the base
  // directory rules say.
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') {
    folder = configHome;
  } else {
    std::string home = homeFolder();
    if (home.empty()) return false;
    folder = home + "/.config";
  }
  dropTrailingSeparators(folder);
  return true;
}
