// Builds the saver's four archives into the folder given as the only
// argument. The output depends on nothing but this program: no clock, no
// unseeded randomness, fixed iteration orders.
#include <cstdio>
#include <string>

#include "platform/standard_streams.h"
#include "tools/assets/archive_writer.h"

int main(int argc, char** argv) {
  fillClosedStandardStreams();
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: halvenrode-assets OUTPUT_FOLDER\n");
    return 2;
  }
  for (const std::string& file : archiveFiles()) {
    std::string error;
    if (!writeArchive(buildArchive(file), argv[1], file, error)) {
      std::fprintf(stderr, "halvenrode-assets: %s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
