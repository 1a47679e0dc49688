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

// A new archive holding the files, each named by its path as given. Nothing
// is written when a file would make an archive the readers or extract
// refuse: an absolute name or one with a ".." part, a name over 127 bytes,
// more than 65,536 entries, more than 256 MiB (PakArchive::addFile).
int createArchive(const std::string& archive, const std::vector<std::string>& files,
                  std::ostream& out, std::ostream& err);

// Adds the files to an existing archive, as create does; a file whose name
// is already there replaces that entry, with a line on `out` saying so.
int addToArchive(const std::string& archive, const std::vector<std::string>& files,
                 std::ostream& out, std::ostream& err);
