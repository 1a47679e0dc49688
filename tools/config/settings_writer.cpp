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

// `folder`, or the nearest folder above it that exists: the one whose
// permissions or file system refused a change below it.
std::string nearestExistingFolder(std::string folder) {
  struct stat info;
  while (!folder.empty() && stat(folder.c_str(), &info) != 0) {
    std::string above = folderOfPath(folder);
    if (above == folder) return ".";
    folder = above;
  }
  return folder.empty() ? "/" : folder;
}

// Why a change in `folder` was refused, in words for people: a refusal by
// the permissions of the administrator's folder is what an ordinary user
// meets when changing the machine-wide settings.
std::string refusal(const std::string& folder, int error) {
  std::string refusing = nearestExistingFolder(folder);
  if ((error == EACCES || error == EPERM) && ownedByRoot(refusing) && geteuid() != 0) {
    return "the folder " + refusing + " needs administrator rights";
  }
  if (error == EROFS) return "the folder " + refusing + " is on a read-only file system";
  return std::strerror(error);
}

}  // namespace

std::string describeWriteFailure(const std::string& path, int error) {
  std::string folder = folderOfPath(path);
  if (folder == path) folder = ".";
  return "cannot write " + path + ": " + refusal(folder, error);
}

std::string describeFolderFailure(const std::string& folder, int error) {
  return "cannot make the folder " + folder + ": " + refusal(folder, error);
}

bool writeSettingsFile(const std::string& path, const Settings& settings, std::string& problem) {
  std::string bytes = encodeSettings(settings);
  if (!replaceFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
    problem = describeWriteFailure(path, errno);
    return false;
  }
  return true;
}
