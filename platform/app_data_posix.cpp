#include "platform/app_data.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace {

// mkdir -p; failures are left for the caller's open to notice.
void makeFolders(const std::string& folder) {
  for (size_t i = 1; i <= folder.size(); ++i) {
    if (i == folder.size() || folder[i] == '/') {
      mkdir(folder.substr(0, i).c_str(), 0755);
    }
  }
}

}  // namespace

bool commonAppDataFolder(std::string& folder, bool create) {
  const char* dirs = std::getenv("XDG_CONFIG_DIRS");
  std::string first;
  if (dirs != nullptr) {
    first = dirs;
    size_t colon = first.find(':');
    if (colon != std::string::npos) first.resize(colon);
  }
  if (first.empty()) first = "/etc/xdg";
  while (first.size() > 1 && first.back() == '/') first.pop_back();
  if (create) makeFolders(first);
  folder = first;
  return true;
}
