#include "pak_commands.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "resources/model_format.h"
#include "printable_name.h"
#include "resources/pak_archive.h"

namespace {

// The records of a model entry, or none when the entry does not read as a
// model from its header to its last record (an image, text, ...).
std::vector<MeshRecordView> modelRecords(const uint8_t* data, uint32_t size) {
  std::vector<MeshRecordView> records;
  int32_t count = 0;
  const uint8_t* cursor = nullptr;
  if (!readModelHeader(data, size, count, cursor) || count == 0) return records;
  MeshRecordView record;
  for (int32_t i = 0; i < count; ++i) {
    if (!readMeshRecord(cursor, data + size, record)) return {};
    records.push_back(record);
  }
  return records;
}

void listModel(const std::vector<MeshRecordView>& records, std::ostream& out) {
  out << "  model, " << records.size() << (records.size() == 1 ? " mesh\n" : " meshes\n");
  for (size_t i = 0; i < records.size(); ++i) {
    out << "    mesh " << i << ": " << records[i].triangleCount << " triangles, texture \""
        << printableName(records[i].textureNameText()) << "\"\n";
  }
}

std::unique_ptr<PakArchive> open(const std::string& archive, std::ostream& err) {
  std::string why;
  std::unique_ptr<PakArchive> loaded = PakArchive::tryLoad(archive, &why);
  if (loaded == nullptr) err << "cannot read " << archive << ": it " << why << "\n";
  return loaded;
}

// A name already present replaces that entry (the archive keeps one entry
// of a name, the one lookups find); `replaced` collects such names.
bool addFiles(PakArchive& archive, const std::vector<std::string>& files,
              std::vector<std::string>& replaced, std::ostream& err) {
  for (const std::string& file : files) {
    std::string why;
    bool replacedOne = false;
    if (!archive.addFile(file, &why, &replacedOne)) {
      err << "cannot add " << printableName(file) << ": it " << why << "\n";
      return false;
    }
    if (replacedOne) replaced.push_back(file);
  }
  return true;
}

// The replaced entries are reported once they are on disk.
int save(const PakArchive& archive, const std::string& path,
         const std::vector<std::string>& replaced, std::ostream& out, std::ostream& err) {
  if (!archive.save(path)) {
    err << "cannot write " << path << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  for (const std::string& name : replaced) out << "replaced " << printableName(name) << "\n";
  return 0;
}

}  // namespace

int listArchive(const std::string& archive, std::ostream& out, std::ostream& err) {
  std::unique_ptr<PakArchive> loaded = open(archive, err);
  if (loaded == nullptr) return 1;
  for (size_t i = 0; i < loaded->entryCount(); ++i) {
    out << printableName(loaded->entryName(i)) << "\t" << loaded->entrySize(i) << "\n";
    std::vector<MeshRecordView> records = modelRecords(loaded->entryData(i), loaded->entrySize(i));
    if (!records.empty()) listModel(records, out);
  }
  return 0;
}

int extractArchive(const std::string& archive, const std::string& prefix, std::ostream& err) {
  std::unique_ptr<PakArchive> loaded = open(archive, err);
  if (loaded == nullptr) return 1;
  std::vector<PakArchive::ExtractFailure> failures = loaded->extractAll(prefix);
  for (const PakArchive::ExtractFailure& failure : failures) {
    err << "cannot extract " << printableName(failure.name) << " to "
        << printableName(failure.path) << ": " << printableName(failure.why) << "\n";
  }
  return failures.empty() ? 0 : 1;
}

int createArchive(const std::string& archive, const std::vector<std::string>& files,
                  std::ostream& out, std::ostream& err) {
  PakArchive created;
  std::vector<std::string> replaced;
  if (!addFiles(created, files, replaced, err)) return 1;
  return save(created, archive, replaced, out, err);
}

int addToArchive(const std::string& archive, const std::vector<std::string>& files,
                 std::ostream& out, std::ostream& err) {
  std::unique_ptr<PakArchive> loaded = open(archive, err);
  if (loaded == nullptr) return 1;
  std::vector<std::string> replaced;
  if (!addFiles(*loaded, files, replaced, err)) return 1;
  return save(*loaded, archive, replaced, out, err);
}
