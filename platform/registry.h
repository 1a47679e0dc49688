#pragma once
#include <string>

// The machine-wide registry hive, kept as a small text file:
//
//   [Software\Quorvel\Halvenrode\Settings]
//   Path=/usr/lib/halvenrode/
//
// Sections are key paths, lines are name=value, blanks and tabs around
// the name and the value left out; '#' or ';' start a comment line. The file is /etc/quorvel/registry.ini, or the file named by the
// environment variable HALVENRODE_REGISTRY_FILE when that is set.

// The registry file in force for this process.
std::string registryFilePath();

// Reads one string value. Returns false when the file, the key or the value
// does not exist; `value` is then left unchanged.
bool readRegistryValue(const std::string& keyPath, const std::string& valueName,
                       std::string& value);

// Same, from an explicit registry file (used by tests and installers).
bool readRegistryValueFrom(const std::string& file, const std::string& keyPath,
                           const std::string& valueName, std::string& value);
