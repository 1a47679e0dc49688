// Archive files. Whatever the bytes: loading ends and never exits the
// process for a readable file, and refuses it only as damaged, for a count
// no file of its size could hold; every entry lies inside the bytes it came
// from, a lookup finds the first entry of its name, saving writes back
// exactly the records that were kept (the undamaged front of the file), and
// extracting into a hostile folder (ExtractSandbox) writes nothing outside
// it and never waits, with the prefix ending in '/' or in "/.".
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "resources/little_endian.h"
#include "resources/pak_archive.h"
#include "tests/fuzz/extract_sandbox.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/memory_file.h"

namespace {

// The index of the first entry named like entry `index`.
size_t firstOfName(const PakArchive& archive, size_t index) {
  for (size_t i = 0; i < index; ++i) {
    if (archive.entryName(i) == archive.entryName(index)) return i;
  }
  return index;
}

// Bytes the kept records take in the file: one length byte, the name, the
// 4-byte size and the data each.
size_t recordBytes(const PakArchive& archive) {
  size_t total = 0;
  for (size_t i = 0; i < archive.entryCount(); ++i) {
    total += 1 + archive.entryName(i).size() + 4 + archive.entrySize(i);
  }
  return total;
}

void checkEntries(const PakArchive& archive, size_t fileSize) {
  for (size_t i = 0; i < archive.entryCount(); ++i) {
    FUZZ_CHECK(archive.entryName(i).size() <= PakArchive::kMaxNameLength);
    FUZZ_CHECK(archive.entryData(i) != nullptr);
    touchBytes(archive.entryData(i), archive.entrySize(i));
    std::pair<const uint8_t*, uint32_t> found = archive.findEntry(archive.entryName(i));
    FUZZ_CHECK(found.first == archive.entryData(firstOfName(archive, i)));
  }
  FUZZ_CHECK(archive.entryCount() == 0 || 4 + recordBytes(archive) <= fileSize);
}

// The saved copy holds the kept count, then the kept records byte for byte.
// (Saving writes exactly these bytes through a renamed temporary file.)
void checkSavedCopy(const PakArchive& archive, const uint8_t* data, size_t size) {
  static MemoryFile copy;
  FUZZ_CHECK(copy.ok());
  std::vector<uint8_t> saved = archive.fileBytes();
  FUZZ_CHECK(copy.replace(saved.data(), saved.size()));
  FUZZ_CHECK(saved.size() == 4 + recordBytes(archive));
  FUZZ_CHECK(readU32(saved.data()) == archive.entryCount());
  FUZZ_CHECK(size < 4 || std::memcmp(saved.data() + 4, data + 4, saved.size() - 4) == 0);

  std::unique_ptr<PakArchive> reloaded = PakArchive::tryLoad(copy.path());
  FUZZ_CHECK(reloaded != nullptr);
  FUZZ_CHECK(reloaded->entryCount() == archive.entryCount());
}

// Nothing outside the box changes, whatever the names, and no entry fails
// twice.
void checkExtraction(const PakArchive& archive) {
  static ExtractSandbox sandbox;
  FUZZ_CHECK(sandbox.ok());
  for (const char* last : {"", "."}) {
    std::vector<PakArchive::ExtractFailure> failures = archive.extractAll(sandbox.box() + last);
    FUZZ_CHECK(failures.size() <= archive.entryCount());
    FUZZ_CHECK(sandbox.outsideUntouched());
    FUZZ_CHECK(sandbox.reset());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFile input;
  FUZZ_CHECK(input.ok());
  FUZZ_CHECK(input.replace(data, size));
  std::string why;
  std::unique_ptr<PakArchive> archive = PakArchive::tryLoad(input.path(), &why);
  int32_t declared = size >= 4 ? readI32(data) : 0;
  bool holdable = declared <= PakArchive::kMaxEntries &&
                  (declared <= 0 || static_cast<uint64_t>(declared) * 5 + 4 <= size);
  FUZZ_CHECK((archive != nullptr) == holdable);
  if (archive == nullptr) {
    FUZZ_CHECK(why.rfind("is damaged: it declares ", 0) == 0);
    return 0;
  }
  FUZZ_CHECK(archive->entryCount() <= static_cast<size_t>(declared > 0 ? declared : 0));
  checkEntries(*archive, size);
  checkSavedCopy(*archive, data, size);
  checkExtraction(*archive);
  return 0;
}
