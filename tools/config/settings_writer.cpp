#include "tools/config/settings_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"
#include "platform/replace_file.h"

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
  std::string bytes = encodeSettings(settings);
  if (!replaceFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
    problem = describeWriteFailure(path, errno);
    return false;
  }
  return true;
}
