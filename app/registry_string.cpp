#include "app/registry_string.h"

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/registry.h"

RegistryString::RegistryString(const std::string& keyPath, const std::string& valueName,
                               const std::string& fallback,
                               bool (*usable)(const std::string& value)) {
  std::string text;
  bool found = readRegistryValue(keyPath, valueName, text);
  if (!found || (usable != nullptr && !usable(text))) {
    if (fallback.empty()) return;
    text = fallback;
  }
  valueData_.assign(text.begin(), text.end());
  valueData_.push_back('\0');
}

std::string RegistryString::value() const {
  return valueData_.empty() ? std::string() : std::string(valueData_.data());
}

std::string RegistryString::pathOf(const std::string& fileName) const {
  return value() + fileName;
}

namespace {

// A relative folder would be looked for from whatever folder the program
// was started in, which a host or a launcher chooses, not the installer.
bool isFolderFromTheRoot(const std::string& value) {
  return !value.empty() && (value[0] == '/' || value[0] == '\\');
}

}  // namespace

RegistryString readInstallPath() {
  return RegistryString("Software\\Quorvel\\Halvenrode\\Settings", "Path", executableFolder(),
                        isFolderFromTheRoot);
}

// Constructed during static initialisation, before main, so every mode finds
// it ready.
RegistryString installPath = readInstallPath();

ProcessOutcome launchProgram(const std::string& fileName, bool wait) {
  return launchProgramAt(installPath.pathOf(fileName), wait);
}

ProcessOutcome launchProgramAt(const std::string& path, bool wait) {
  return startProcess(nativePath(path), nativePath(folderOfPath(path)), wait);
}
