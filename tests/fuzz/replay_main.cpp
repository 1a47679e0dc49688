// Runs a fuzz target's entry point once over each file named on the command
// line (or each file in a named folder): the seed corpus and the crash
// regressions become an ordinary test in builds without the fuzzer. A broken
// check aborts, which fails the test.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/standard_streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool isFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The files of a folder in name order (so failures repeat in the same order).
std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> files;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return files;
  while (dirent* item = readdir(dir)) {
    std::string name = item->d_name;
    if (name != "." && name != ".." && name != ".gitkeep") files.push_back(folder + "/" + name);
  }
  closedir(dir);
  std::sort(files.begin(), files.end());
  return files;
}

bool runFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // A null pointer for no bytes would be legal; a real pointer is what the
  // fuzzer hands over, so keep one.
  bytes.reserve(1);
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  int ran = 0;
  bool allRead = true;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::string> files = isFolder(argv[i]) ? filesIn(argv[i])
                                                       : std::vector<std::string>{argv[i]};
    for (const std::string& file : files) {
      allRead = runFile(file) && allRead;
      ++ran;
    }
  }
  std::printf("%d inputs replayed\n", ran);
  return allRead && ran > 0 ? 0 : 1;
}
