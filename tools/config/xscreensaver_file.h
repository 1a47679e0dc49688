#pragma once
#include <string>
#include <vector>

#include "tools/config/xscreensaver_list.h"

// Where the screen-saver daemon keeps its list of programs.
struct XScreenSaverFiles {
  std::string userFile;                  // ~/.xscreensaver; empty without a home folder
  std::vector<std::string> appDefaults;  // the daemon's defaults; the first one found counts
};

// The user's file and the folders distributions install the daemon's
// app-defaults file in.
XScreenSaverFiles installedXScreenSaverFiles();

struct XScreenSaverAddition {
  ListChange change = ListChange::Unusable;
  std::string message;  // one sentence for people, naming the file
};

// Puts the saver into the user's list of programs (see xscreensaver_list.h).
// A user without a file gets the daemon's default list with the saver
// added; without an app-defaults file to take it from, nothing is written.
// The file is replaced all at once and keeps its permission bits. When it
// is a symbolic link, the file it points to is edited and the link stays;
// a link to nothing is refused. A file (or, for a new one, a home folder)
// that belongs to another user is refused too, so that root never leaves
// a file of its own in someone's home. Unusable: nothing was written.
XScreenSaverAddition addSaverToXScreenSaver(const XScreenSaverFiles& files);
