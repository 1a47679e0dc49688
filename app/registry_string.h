#pragma once
#include <string>
#include <vector>

#include "platform/process.h"

// One string value of the machine-wide registry, read once at construction.
class RegistryString {
 public:
  // Reads `valueName` of `keyPath`. When the value cannot be read, or
  // `usable` is given and refuses it, a non-empty `fallback` stands in
  // for it; without one there is no value.
  RegistryString(const std::string& keyPath, const std::string& valueName,
                 const std::string& fallback = std::string(),
                 bool (*usable)(const std::string& value) = nullptr);

  // The value's text (up to its first zero byte); empty when none.
  std::string value() const;
  // The value's text followed directly by `fileName`, no separator added.
  std::string pathOf(const std::string& fileName) const;

  bool hasValue() const { return !valueData_.empty(); }

 private:
  std::vector<char> valueData_;  // the bytes with their terminating zero
};

// The installation folder as the registry file gives it now: "Path" of the
// program's settings key, with its trailing separator, when it names a
// folder from the root ('/' or '\\' first). Without a value, and for an
// empty or relative one: the folder of the running executable.
RegistryString readInstallPath();

// readInstallPath() as it was when the program started.
extern RegistryString installPath;

// Starts `fileName` from the installation folder with no arguments, in that
// folder; with `wait`, blocks until it ends (and ends it should this
// process end first). Says whether it started and, waited for, how it
// ended.
ProcessOutcome launchProgram(const std::string& fileName, bool wait);

// The same for a full path (the folder is the path cut at its last
// separator).
ProcessOutcome launchProgramAt(const std::string& path, bool wait);
