#pragma once
#include <string>

#include "tools/assets/archive_content.h"

// Writes `content` as archive `file` in `folder` with the project's archive
// writer, after checking that it holds every entry the saver asks that
// archive for. False, with a message in `error`, when an entry is missing
// or too long a name, or the file cannot be written.
bool writeArchive(const ArchiveContent& content, const std::string& folder, const std::string& file,
                  std::string& error);

// Builds the archive of that file name (one of archiveFiles()).
ArchiveContent buildArchive(const std::string& file);
