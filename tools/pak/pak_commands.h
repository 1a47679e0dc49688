#pragma once
#include <ostream>
#include <string>
#include <vector>

// The archive tool's commands. Each returns the process exit status and
// writes its report to `out` and its complaints to `err`.

// Names and sizes in archive order; for model entries also the meshes with
// their triangle counts and texture names. Names are printed escaped
// (printable_name.h): one line per entry, whatever bytes a name holds.
int listArchive(const std::string& archive, std::ostream& out, std::ostream& err);

// Writes every entry to `prefix` followed by its name, never through a
// link or into a pipe that stands there (PakArchive::extractAll); each entry
// not written gets a line naming it, where it was meant to go and why.
int extractArchive(const std::string& archive, const std::string& prefix, std::ostream& err);

// A new archive holding the files, each named by its path as given.
int createArchive(const std::string& archive, const std::vector<std::string>& files,
                  std::ostream& err);

// Appends the files to an existing archive.
int addToArchive(const std::string& archive, const std::vector<std::string>& files,
                 std::ostream& err);
