#include "platform/registry.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/regular_file.h"

namespace {

// A hand-edited text of a few lines.
constexpr uint64_t kMaxRegistryFileBytes = uint64_t{1} << 20;

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string registryFilePath() {
  const char* override = std::getenv("HALVENRODE_REGISTRY_FILE");
  if (override != nullptr && override[0] != '\0') return override;
  return "/etc/quorvel/registry.ini";
}

bool readRegistryValue(const std::string& keyPath, const std::string& valueName,
                       std::string& value) {
  return readRegistryValueFrom(registryFilePath(), keyPath, valueName, value);
}

bool readRegistryValueFrom(const std::string& file, const std::string& keyPath,
                           const std::string& valueName, std::string& value) {
  std::vector<uint8_t> bytes;
  if (readRegularFile(file, kMaxRegistryFileBytes, bytes) != FileRead::Done) return false;
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  bool inKey = false;
  std::string line;
  while (std::getline(in, line)) {
    std::string text = trimmed(line);
    if (text.empty() || text[0] == '#' || text[0] == ';') continue;
    if (text.front() == '[' && text.back() == ']') {
      inKey = text.substr(1, text.size() - 2) == keyPath;
      continue;
    }
    if (!inKey) continue;
    size_t equals = text.find('=');
    if (equals == std::string::npos) continue;
    if (trimmed(text.substr(0, equals)) != valueName) continue;
    // Blanks around the value are the editor's, never part of a folder: a
    // blank left at the end of "Path=" would otherwise end up inside every
    // file name joined to it.
    value = trimmed(text.substr(equals + 1));
    return true;
  }
  return false;
}
