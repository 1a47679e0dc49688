#include "app/registry_string.h"

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/registry.h"

RegistryString::RegistryString(const std::string& keyPath, const std::string& valueName,
                               const std::string& fallback) {
  std::string text;
  if (!readRegistryValue(keyPath, valueName, text)) {
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

// Constructed during static initialisation, before main, so every mode finds
// it ready.
RegistryString installPath("Software\\Quorvel\\Halvenrode\\Settings", "Path", executableFolder());

ProcessOutcome launchProgram(const std::string& fileName, bool wait) {
  return launchProgramAt(installPath.pathOf(fileName), wait);
}

ProcessOutcome launchProgramAt(const std::string& path, bool wait) {
  return startProcess(nativePath(path), nativePath(folderOfPath(path)), wait);
}
