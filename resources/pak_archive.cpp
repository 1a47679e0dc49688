#include "resources/pak_archive.h"

#include <unistd.h>

#include <cstring>

#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"
#include "resources/little_endian.h"

namespace {

// The path as a user would look for it: relative paths are resolved
// against the working folder, which is where the open looked.
std::string whereLookedFor(const std::string& path) {
  std::string native = nativePath(path);
  if (!native.empty() && native[0] == '/') return native;
  char folder[4096];
  if (getcwd(folder, sizeof folder) == nullptr) return native;
  return std::string(folder) + "/" + native;
}

std::string fileNameOf(const std::string& path) {
  std::string native = nativePath(path);
  size_t slash = native.rfind('/');
  return slash == std::string::npos ? native : native.substr(slash + 1);
}

bool fail(const std::string& text, std::string* why) {
  if (why != nullptr) *why = text;
  return false;
}

// Why no undamaged archive of `length` bytes could declare `count` entries
// (each record takes at least kRecordOverhead bytes, and no archive holds
// more than kMaxEntries), or empty when one could.
std::string countProblem(int32_t count, size_t length) {
  std::string declared = std::to_string(count) + " entries, more than ";
  if (count > PakArchive::kMaxEntries) {
    return declared + "the " + std::to_string(PakArchive::kMaxEntries) + " an archive may hold";
  }
  if (count > 0 && static_cast<uint64_t>(count) > (length - 4) / PakArchive::kRecordOverhead) {
    return declared + "its " + std::to_string(length) + " bytes can hold";
  }
  return std::string();
}

// True when `path` has a part that is exactly "..".
bool hasParentPart(const std::string& path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    if (slash - start == 2 && path.compare(start, 2, "..") == 0) return true;
    start = slash + 1;
  }
  return false;
}

}  // namespace

std::string unreadableArchiveText(const std::string& path, const std::string& why) {
  return "cannot read the archive " + fileNameOf(path) + ": " + whereLookedFor(path) + " " + why;
}

std::unique_ptr<PakArchive> PakArchive::tryLoad(const std::string& path, std::string* why) {
  std::unique_ptr<PakArchive> archive(new PakArchive());
  if (!archive->load(path, why)) return nullptr;
  return archive;
}

// The whole file is read here, once; the entries point into these bytes.
bool PakArchive::load(const std::string& path, std::string* why) {
  if (readRegularFile(nativePath(path), kMaxFileBytes, file_, why) != FileRead::Done) return false;
  return parse(why);
}

// Refuses a count no undamaged file could declare before anything is
// reserved for it. Otherwise walks the records, stopping at the first one
// that does not fit in the bytes that remain: a damaged file keeps the
// entries before the damage.
bool PakArchive::parse(std::string* why) {
  const uint8_t* bytes = file_.data();
  size_t length = file_.size();
  if (length < 4) return true;
  int32_t count = readI32(bytes);
  std::string problem = countProblem(count, length);
  if (!problem.empty()) return fail("is damaged: it declares " + problem, why);
  size_t offset = 4;
  for (int32_t i = 0; i < count; ++i) {
    if (length - offset < 1) return true;
    int8_t nameLength = static_cast<int8_t>(bytes[offset]);
    if (nameLength < 0) return true;
    offset += 1;
    size_t nameSize = static_cast<size_t>(nameLength);
    if (length - offset < nameSize + 4) return true;
    std::string name(reinterpret_cast<const char*>(bytes + offset), nameSize);
    offset += nameSize;
    uint32_t size = readU32(bytes + offset);
    offset += 4;
    if (length - offset < size) return true;
    appendView(std::move(name), bytes + offset, size);
    offset += size;
  }
  return true;
}

// An entry of the loaded file: its bytes stay in file_, which is non-null
// wherever a record fits (the file has at least its count).
void PakArchive::appendView(std::string name, const uint8_t* bytes, uint32_t size) {
  Entry entry;
  entry.name = std::move(name);
  entry.data = bytes;
  entry.size = size;
  layoutBytes_ += kRecordOverhead + entry.name.size() + size;
  entries_.push_back(std::move(entry));
}

void PakArchive::append(std::string name, const uint8_t* bytes, uint32_t size) {
  Entry entry;
  entry.name = std::move(name);
  layoutBytes_ += kRecordOverhead + entry.name.size();
  replaceData(entry, bytes, size);
  entries_.push_back(std::move(entry));
}

// Gives the entry its own copy of the bytes, keeping layoutBytes_ right.
void PakArchive::replaceData(Entry& entry, const uint8_t* bytes, uint32_t size) {
  // At least one byte, so that an empty entry still has an address.
  std::unique_ptr<uint8_t[]> copy(new uint8_t[size > 0 ? size : 1]);
  if (size > 0) std::memcpy(copy.get(), bytes, size);
  layoutBytes_ = layoutBytes_ - entry.size + size;
  entry.owned = std::move(copy);
  entry.data = entry.owned.get();
  entry.size = size;
}

const PakArchive::Entry* PakArchive::find(const std::string& name) const {
  for (const Entry& entry : entries_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

PakArchive::Entry* PakArchive::find(const std::string& name) {
  return const_cast<Entry*>(static_cast<const PakArchive*>(this)->find(name));
}

std::pair<const uint8_t*, uint32_t> PakArchive::findEntry(const std::string& name) const {
  const Entry* entry = find(name);
  if (entry == nullptr) return {nullptr, 0};
  return {entry->data, entry->size};
}

// Bytes the archive may still grow by before the readers would refuse it.
uint64_t PakArchive::roomLeft() const {
  return layoutBytes_ < kMaxFileBytes ? kMaxFileBytes - layoutBytes_ : 0;
}

bool PakArchive::addEntry(const std::string& name, const uint8_t* bytes, uint32_t size) {
  if (name.size() > kMaxNameLength) return false;
  if (bytes == nullptr && size > 0) return false;
  if (entries_.size() >= static_cast<size_t>(kMaxEntries)) return false;
  if (kRecordOverhead + name.size() + size > roomLeft()) return false;
  append(name, bytes, size);
  return true;
}

std::string PakArchive::nameProblem(const std::string& name) {
  std::string path = nativePath(name);
  if (name.size() > kMaxNameLength) {
    return "is longer than " + std::to_string(kMaxNameLength) + " bytes";
  }
  if (!path.empty() && path[0] == '/') return "is an absolute path";
  if (hasParentPart(path)) return "has a \"..\" part";
  // The system would read the name only up to that byte: "..\0x" as "..".
  if (path.find('\0') != std::string::npos) return "holds a zero byte";
  return std::string();
}

// The file is read with no more room than the archive has left, so that a
// file too large for it is refused by its size, before it is read.
bool PakArchive::addFile(const std::string& path, std::string* why, bool* replaced) {
  std::string problem = nameProblem(path);
  if (!problem.empty()) return fail("would make an entry whose name " + problem, why);
  Entry* existing = find(path);
  if (existing == nullptr && entries_.size() >= static_cast<size_t>(kMaxEntries)) {
    return fail("would make the archive hold more than " + std::to_string(kMaxEntries) + " entries",
                why);
  }
  uint64_t room = roomLeft() + (existing != nullptr ? existing->size : 0);
  uint64_t recordBytes = existing != nullptr ? 0 : kRecordOverhead + path.size();
  room = room > recordBytes ? room - recordBytes : 0;
  std::vector<uint8_t> bytes;
  FileRead read = readRegularFile(nativePath(path), room, bytes, why);
  if (read == FileRead::TooLarge) {
    return fail("would make the archive larger than " + std::to_string(kMaxFileBytes >> 20) +
                    " MiB, more than can be read back",
                why);
  }
  if (read != FileRead::Done) return false;
  if (replaced != nullptr) *replaced = existing != nullptr;
  if (existing != nullptr) {
    replaceData(*existing, bytes.data(), static_cast<uint32_t>(bytes.size()));
  } else {
    append(path, bytes.data(), static_cast<uint32_t>(bytes.size()));
  }
  return true;
}

std::vector<uint8_t> PakArchive::fileBytes() const {
  std::vector<uint8_t> out(4);
  writeU32(out.data(), static_cast<uint32_t>(entries_.size()));
  for (const Entry& entry : entries_) {
    out.push_back(static_cast<uint8_t>(entry.name.size()));
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    size_t sizeAt = out.size();
    out.resize(sizeAt + 4);
    writeU32(out.data() + sizeAt, entry.size);
    out.insert(out.end(), entry.data, entry.data + entry.size);
  }
  return out;
}

// The old archive stays whole until the new one is complete on disk: a
// full disk or a failed write leaves it as it was. (addEntry and addFile
// never let the archive grow past what the readers accept.)
bool PakArchive::save(const std::string& path) const {
  std::vector<uint8_t> out = fileBytes();
  return replaceFile(nativePath(path), out.data(), out.size());
}

std::string archivePath(const std::string& baseFolder, const std::string& archiveName) {
  if (!baseFolder.empty() && baseFolder[0] == '0') return archiveName;
  return baseFolder + archiveName;
}
