#include "tools/config/settings_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"

namespace {

void putU8(std::string& out, uint8_t value) { out += static_cast<char>(value); }

void putU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putCounted(std::string& out, const std::string& text) {
  putU32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

// True when the folder belongs to the administrator, as the machine-wide
// one does.
bool ownedByRoot(const std::string& folder) {
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && info.st_uid == 0;
}

// One line for a failed step; a refusal by the file system's permissions
// in the administrator's folder is what an ordinary user meets when
// changing the machine-wide settings.
std::string describeFailure(const std::string& path, int error) {
  std::string folder = folderOfPath(path);
  if (folder.empty()) folder = ".";
  std::string line = "cannot write " + path + ": ";
  if ((error == EACCES || error == EPERM) && ownedByRoot(folder) && geteuid() != 0) {
    return line + "the folder " + folder + " needs administrator rights";
  }
  if (error == EROFS) return line + "the folder " + folder + " is on a read-only file system";
  return line + std::strerror(error);
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// Writes the bytes to a fresh temporary file next to `path` and makes them
// durable. Returns the temporary file's path, or empty with errno set.
std::string writeTemporary(const std::string& path, const std::string& bytes) {
  std::string folder = folderOfPath(path);
  std::string pattern = (folder == path ? std::string(".") : folder) + "/.settings-XXXXXX";
  int fd = mkstemp(&pattern[0]);
  if (fd < 0) return std::string();
  // Everyone reads the machine-wide file; mkstemp makes it private.
  bool ok = fchmod(fd, 0644) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok) return pattern;
  unlink(pattern.c_str());
  errno = error;
  return std::string();
}

// Makes the rename itself durable; a failure here changes nothing the
// reader could see, so it is not reported.
void syncFolder(const std::string& path) {
  std::string folder = folderOfPath(path);
  int fd = open(folder == path ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

std::string encodeSettings(const Settings& settings) {
  std::string out;
  putU32(out, static_cast<uint32_t>(kSettingsFormatWithOptions));
  putCounted(out, settings.opaqueField1);
  putCounted(out, settings.opaqueField2);
  putU8(out, settings.exitOnMouseMoveFlag);
  putU32(out, settings.reservedWord);
  putU32(out, static_cast<uint32_t>(settings.displayMode));
  for (uint8_t option : {settings.showFrameRate, settings.showClock, settings.analogClock,
                         settings.clock24Hour, settings.largeClock, settings.showCalendar,
                         settings.russianCalendar}) {
    putU8(out, option);
  }
  return out;
}

bool writeSettingsFile(const std::string& path, const Settings& settings, std::string& problem) {
  std::string temporary = writeTemporary(path, encodeSettings(settings));
  if (temporary.empty()) {
    problem = describeFailure(path, errno);
    return false;
  }
  if (rename(temporary.c_str(), path.c_str()) != 0) {
    int error = errno;
    unlink(temporary.c_str());
    problem = describeFailure(path, error);
    return false;
  }
  syncFolder(path);
  return true;
}
