#include "tools/config/settings_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/settings_format.h"
#include "platform/paths.h"
#include "platform/replace_file.h"

namespace {

// True when the folder belongs to the administrator, as the machine-wide
// one does.
bool ownedByRoot(const std::string& folder) {
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && info.st_uid == 0;
}

}  // namespace

std::string describeWriteFailure(const std::string& path, int error) {
  std::string folder = folderOfPath(path);
  if (folder.empty()) folder = ".";
  std::string line = "cannot write " + path + ": ";
  if ((error == EACCES || error == EPERM) && ownedByRoot(folder) && geteuid() != 0) {
    return line + "the folder " + folder + " needs administrator rights";
  }
  if (error == EROFS) return line + "the folder " + folder + " is on a read-only file system";
  return line + std::strerror(error);
}

bool writeSettingsFile(const std::string& path, const Settings& settings, std::string& problem) {
  std::string bytes = encodeSettings(settings);
  if (!replaceFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
    problem = describeWriteFailure(path, errno);
    return false;
  }
  return true;
}
