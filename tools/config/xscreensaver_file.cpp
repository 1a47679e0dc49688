#include "tools/config/xscreensaver_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/app_data.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"

namespace {

// The daemon's own files are about 10 KB; anything near this is not one.
constexpr uint64_t kMaxFileBytes = uint64_t{1} << 20;
constexpr unsigned kNewFileMode = 0644;

XScreenSaverAddition outcome(ListChange change, const std::string& message) {
  return XScreenSaverAddition{change, message};
}

XScreenSaverAddition refused(const std::string& message) {
  return outcome(ListChange::Unusable, message);
}

bool ownedByAnother(const struct stat& info) { return info.st_uid != geteuid(); }

FileRead readText(const std::string& path, std::string& text, std::string& why) {
  std::vector<uint8_t> bytes;
  FileRead read = readRegularFile(path, kMaxFileBytes, bytes, &why);
  text.assign(bytes.begin(), bytes.end());
  return read;
}

XScreenSaverAddition written(const std::string& path, const std::string& text, unsigned mode,
                             const std::string& done) {
  if (!replaceFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), mode)) {
    return refused(path + " cannot be written: " + std::strerror(errno) +
                   "; nothing was changed");
  }
  return outcome(ListChange::Added, done);
}

// Reads the first app-defaults file there is. False with `problem` set when
// there is none, or the first one found cannot be read.
bool readAppDefaults(const XScreenSaverFiles& files, std::string& text, std::string& path,
                     std::string& problem) {
  std::string tried;
  for (const std::string& candidate : files.appDefaults) {
    std::string why;
    FileRead read = readText(candidate, text, why);
    if (read == FileRead::Done) {
      path = candidate;
      return true;
    }
    if (read != FileRead::Missing) {
      problem = candidate + " " + why;
      return false;
    }
    tried += (tried.empty() ? "" : ", ") + candidate;
  }
  problem = "XScreenSaver's default settings are in none of " + tried +
            " (is XScreenSaver installed?)";
  return false;
}

// A user without a file gets the daemon's default list, with the saver.
XScreenSaverAddition addToFreshFile(const XScreenSaverFiles& files, const std::string& path) {
  std::string text, defaults, problem;
  if (!readAppDefaults(files, text, defaults, problem)) {
    return refused(problem + "; nothing was written");
  }
  ListEdit edit = freshUserFile(text, defaults);
  if (edit.change == ListChange::Unusable) return refused(edit.problem + "; nothing was written");
  if (edit.change == ListChange::AlreadyListed) {
    return outcome(edit.change, "XScreenSaver's own list in " + defaults +
                                    " has Halvenrode already; nothing was written");
  }
  struct stat home;
  if (stat(folderOfPath(path).c_str(), &home) == 0 && ownedByAnother(home)) {
    return refused(folderOfPath(path) + " belongs to another user; nothing was written");
  }
  return written(path, edit.text, kNewFileMode,
                 "Wrote " + path + ": XScreenSaver's defaults from " + defaults +
                     ", and Halvenrode at the end");
}

XScreenSaverAddition addToExistingFile(const std::string& path) {
  std::string text, why;
  if (readText(path, text, why) != FileRead::Done) {
    return refused(path + " " + why + "; nothing was changed");
  }
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    return refused(path + " cannot be read: " + std::strerror(errno) + "; nothing was changed");
  }
  if (ownedByAnother(info)) return refused(path + " belongs to another user; nothing was changed");
  ListEdit edit = addSaverToUserFile(text);
  if (edit.change == ListChange::Unusable) {
    return refused(path + " is not a list XScreenSaver can read: " + edit.problem +
                   "; nothing was changed");
  }
  if (edit.change == ListChange::AlreadyListed) {
    return outcome(edit.change, "Halvenrode is in the programs of " + path + " already; "
                                "nothing was changed");
  }
  return written(path, edit.text, info.st_mode & 07777,
                 "Added Halvenrode to the end of the programs in " + path);
}

}  // namespace

XScreenSaverFiles installedXScreenSaverFiles() {
  XScreenSaverFiles files;
  std::string home = homeFolder();
  if (!home.empty()) files.userFile = home + (home.back() == '/' ? "" : "/") + ".xscreensaver";
  files.appDefaults = {"/etc/X11/app-defaults/XScreenSaver",
                       "/usr/share/X11/app-defaults/XScreenSaver",
                       "/usr/lib/X11/app-defaults/XScreenSaver"};
  return files;
}

XScreenSaverAddition addSaverToXScreenSaver(const XScreenSaverFiles& files) {
  if (files.userFile.empty()) return refused("there is no home folder for ~/.xscreensaver");
  struct stat info;
  if (lstat(files.userFile.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      return refused(files.userFile + " cannot be read: " + std::strerror(errno));
    }
    return addToFreshFile(files, files.userFile);
  }
  if (!S_ISLNK(info.st_mode)) return addToExistingFile(files.userFile);
  // Edits go through the link, so a file kept elsewhere (with the user's
  // other settings files, say) stays the one the link names.
  char target[PATH_MAX];
  if (realpath(files.userFile.c_str(), target) == nullptr) {
    return refused(files.userFile + " is a link to a file that cannot be reached: " +
                   std::strerror(errno) + "; nothing was written");
  }
  return addToExistingFile(target);
}
