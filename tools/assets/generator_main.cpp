// Builds the saver's four archives into the folder given as the only
// argument. The output depends on nothing but this program: no clock, no
// unseeded randomness, fixed iteration orders.
#include <cstdio>
#include <string>

#include "resources/pak_archive.h"
#include "tools/assets/archive_content.h"

namespace {

ArchiveContent buildArchive(const std::string& file) {
  if (file == "main.pak") return buildMainArchive();
  if (file == "utils.pak") return buildUtilsArchive();
  if (file == "clock.pak") return buildClockArchive();
  return buildCalendarArchive();
}

bool writeArchive(const std::string& folder, const std::string& file) {
  ArchiveContent content = buildArchive(file);
  for (const std::string& name : requiredEntries(file)) {
    if (!content.has(name)) {
      std::fprintf(stderr, "halvenrode-assets: %s lacks entry \"%s\"\n", file.c_str(), name.c_str());
      return false;
    }
  }
  PakArchive archive;
  for (const ArchiveContent::Entry& e : content.entries) {
    if (!archive.addEntry(e.name, e.bytes.data(), uint32_t(e.bytes.size()))) {
      std::fprintf(stderr, "halvenrode-assets: cannot add \"%s\"\n", e.name.c_str());
      return false;
    }
  }
  std::string path = folder + "/" + file;
  if (!archive.save(path)) {
    std::fprintf(stderr, "halvenrode-assets: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: halvenrode-assets OUTPUT_FOLDER\n");
    return 2;
  }
  for (const std::string& file : archiveFiles())
    if (!writeArchive(argv[1], file)) return 1;
  return 0;
}
