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
