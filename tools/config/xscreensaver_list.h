#pragma once
#include <string>

// The screen-saver daemon shows and runs only the programs of its
// "programs" setting: the user's ~/.xscreensaver when that file exists,
// else the daemon's app-defaults file. These functions put the saver into
// that list as text edits, without touching a file.

enum class ListChange {
  Added,          // `text` holds the new file
  AlreadyListed,  // an entry runs the saver, enabled or not; nothing to do
  Unusable,       // the file cannot be read as a list of programs; `problem` says why
};

struct ListEdit {
  ListChange change = ListChange::Unusable;
  std::string text;
  std::string problem;
};

// The entry the saver is listed with, laid out with tabs as the daemon lays
// out its own entries, ending in the "\n" that separates entries.
extern const char* const kSaverListEntry;

// Adds the saver at the end of the last "programs" setting of a user's file
// (the one the daemon reads). Every other byte is kept. Entries are
// counted from the top by the daemon's "selected" setting, so the end is
// the one place where no entry the user chose changes its number. Unusable
// when there is no "programs" setting or a continuation line runs off the
// end of the file.
ListEdit addSaverToUserFile(const std::string& userFile);

// The file for a user who has none: the daemon's default list, taken from
// its app-defaults text (read from `appDefaultsPath`) with the saver
// added. Only the list is written; every other setting keeps following
// the daemon's defaults, as it did before the file existed. AlreadyListed
// when the default list runs the saver already.
ListEdit freshUserFile(const std::string& appDefaults, const std::string& appDefaultsPath);
