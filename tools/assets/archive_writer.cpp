#include "tools/assets/archive_writer.h"

#include "resources/pak_archive.h"

ArchiveContent buildArchive(const std::string& file) {
  if (file == "main.pak") return buildMainArchive();
  if (file == "utils.pak") return buildUtilsArchive();
  if (file == "clock.pak") return buildClockArchive();
  if (file == "calendar.pak") return buildCalendarArchive();
  return ArchiveContent();
}

bool writeArchive(const ArchiveContent& content, const std::string& folder, const std::string& file,
                  std::string& error) {
  for (const std::string& name : requiredEntries(file)) {
    if (!content.has(name)) {
      error = file + " lacks entry \"" + name + "\"";
      return false;
    }
  }
  PakArchive archive;
  for (const ArchiveContent::Entry& e : content.entries) {
    if (!archive.addEntry(e.name, e.bytes.data(), uint32_t(e.bytes.size()))) {
      error = "cannot add \"" + e.name + "\" to " + file;
      return false;
    }
  }
  std::string path = folder + "/" + file;
  if (!archive.save(path)) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
