#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Every file the programs read from outside (archives, the settings file,
// the preview picture, the registry file, files added to an archive) comes
// through here: it must be a regular file no larger than the reader expects
// before a single byte is read. A folder, a FIFO, a device or a file of
// absurd size is then refused at once, with the same outcome as a missing
// file, instead of blocking for ever or asking for all of memory.

enum class FileRead {
  Done,
  Missing,     // nothing at the path (or a folder on the way is missing)
  NotAFile,    // a folder, FIFO, socket or device
  TooLarge,    // more bytes than the reader allows
  Unreadable,  // exists but cannot be opened or read (permissions, I/O)
};

// Reads the whole file at `path` (a file-system path) into `bytes`, which is
// left empty on any failure. Never blocks on a FIFO and never follows a
// size it has not checked. With `why`, a failure is described in a few
// words that follow the path in a message ("does not exist", "is a folder,
// not a file", ...).
FileRead readRegularFile(const std::string& path, uint64_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string* why = nullptr);
