#include "scratch_folder.h"

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

int removeEntry(const char* path, const struct stat*, int, FTW*) { return std::remove(path); }

}  // namespace

ScratchFolder::ScratchFolder() {
  char pattern[] = "/tmp/halvenrode-test-XXXXXX";
  if (mkdtemp(pattern) != nullptr) path_ = std::string(pattern) + "/";
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  // A test may have taken write permission away; give it back first.
  chmod(path_.c_str(), 0700);
  nftw(path_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}
