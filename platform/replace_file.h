#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Replaces the file at `path` (a file-system path) with `size` bytes, all or
// nothing: the bytes go to a temporary file in the same folder, are made
// durable, and the temporary file is then renamed over `path`. A full disk,
// a write error or a crash at any step leaves the old file as it was and no
// temporary file behind. The new file gets the permission bits `mode`:
// readable by everyone (0644) unless told otherwise, as the archives and
// the settings file are. Returns false with errno set on failure.
bool replaceFile(const std::string& path, const uint8_t* bytes, size_t size,
                 unsigned mode = 0644);

// A file's new bytes, written and made durable beside it but not yet in
// place, so that several files can be written before any of them changes.
struct StagedFile {
  std::string path;       // the file to replace
  std::string temporary;  // where its new bytes wait
};

// The first half of replaceFile: writes the temporary file beside `path`.
// False with errno set, and nothing left behind, on failure.
bool stageFile(const std::string& path, const uint8_t* bytes, size_t size, StagedFile& staged,
               unsigned mode = 0644);

// The second half: renames the staged file over its path. On failure the
// temporary file is removed and errno set.
bool commitStagedFile(const StagedFile& staged);

// Removes a staged file that is not to be put in place.
void discardStagedFile(const StagedFile& staged);
