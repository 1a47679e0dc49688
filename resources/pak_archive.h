#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An archive file held whole in memory: entries by exact name, each a block
// of bytes that stays at a fixed address for the archive's lifetime (meshes
// draw straight from it), plus a texture slot per entry. The file is read
// once, at load: whatever happens to it afterwards (rewritten in place,
// shortened, removed) changes nothing already loaded.
//
// File layout, little-endian, packed: int32 count, then per entry a signed
// 8-bit name length L (0..127), L name bytes, uint32 size S, S data bytes.
class PakArchive {
 public:
  // Longest name the one-byte length field can carry without reading back
  // as negative.
  static constexpr size_t kMaxNameLength = 127;
  // Largest archive file read, and so largest archive written. The whole
  // file is held in memory; the real archives are a few MiB.
  static constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;
  // Most entries an archive may declare. The real archives hold a few dozen;
  // each entry costs its name and some 70 bytes of bookkeeping, so a file of
  // empty records must not be allowed to ask for gigabytes.
  static constexpr int32_t kMaxEntries = 65536;
  // Bytes of a record besides its name and data: the length byte and size.
  static constexpr uint64_t kRecordOverhead = 5;

  // An empty archive, for authoring.
  PakArchive() = default;

  // Loads the file at `path` ('\' separators allowed), or returns nullptr
  // when it cannot be read: missing, not a regular file, larger than
  // kMaxFileBytes, or declaring more entries than its bytes can hold or than
  // kMaxEntries. With `why`, says in a few words why. Otherwise a damaged
  // file keeps the entries read before the first record that does not fit.
  static std::unique_ptr<PakArchive> tryLoad(const std::string& path, std::string* why = nullptr);

  PakArchive(const PakArchive&) = delete;
  PakArchive& operator=(const PakArchive&) = delete;

  // (data, size) of the first entry with exactly this name, or (nullptr, 0).
  // An empty entry yields a non-null pointer and size 0.
  std::pair<const uint8_t*, uint32_t> findEntry(const std::string& name) const;

  // Appends a copy of `size` bytes as entry `name`. False, with nothing
  // added, when the archive could then not be read back: a name longer than
  // kMaxNameLength, more than kMaxEntries entries, or a file larger than
  // kMaxFileBytes.
  bool addEntry(const std::string& name, const uint8_t* bytes, uint32_t size);

  // Stores the whole content of the file at `path` as the entry named by the
  // path text as given: it replaces the entry of that name lookups find
  // (`*replaced` is then true), or is appended. False, with the archive
  // unchanged, when the file cannot be read (not a regular file), when
  // extracting could not write the entry back (see nameProblem), or when
  // the archive could then not be read back (more than kMaxEntries
  // entries, larger than kMaxFileBytes); `why` then says why, following
  // "it".
  bool addFile(const std::string& path, std::string* why = nullptr, bool* replaced = nullptr);

  // Why extractAll refuses an entry of this name wherever it extracts to
  // ("is an absolute path", "has a \"..\" part", "holds a zero byte", "is
  // longer than 127 bytes"), or empty when it does not.
  static std::string nameProblem(const std::string& name);

  // The archive in the file layout, as save writes it.
  std::vector<uint8_t> fileBytes() const;

  // Writes the archive through a temporary file renamed into place. False,
  // with any old file at `path` unchanged, when it cannot be written whole.
  bool save(const std::string& path) const;

  // An entry extractAll did not write: its name, the path it was meant for
  // and why.
  struct ExtractFailure {
    std::string name;
    std::string path;
    std::string why;
  };

  // Writes each entry's data to the file `prefix` + its name (the joined
  // text is the path, '\' separators allowed). The folder of the prefix
  // (up to its last '/') is opened as given; below it no link is followed
  // and whatever stands at an entry's path (a link, a pipe, a file) is
  // replaced, never written through or waited on (see write_in_folder.h).
  // An entry whose joined path would leave that folder, or whose name
  // nameProblem refuses, is not written. Returns the entries not written,
  // in archive order; the others are written all the same.
  std::vector<ExtractFailure> extractAll(const std::string& prefix) const;

  size_t entryCount() const { return entries_.size(); }
  const std::string& entryName(size_t index) const { return entries_[index].name; }
  uint32_t entrySize(size_t index) const { return entries_[index].size; }
  const uint8_t* entryData(size_t index) const { return entries_[index].data; }

  // The shared texture made from image entry `name`, decoded on first use;
  // counts one use. 0 when there is no such entry or it is not an image.
  uint32_t acquireTexture(const std::string& name);

  // Ends one use of `texture`; the last use deletes it. 0 is ignored.
  void releaseTexture(uint32_t texture);

  // For inspection: the texture slot and its use count of entry `index`.
  uint32_t entryTexture(size_t index) const { return entries_[index].texture; }
  int32_t entryTextureUses(size_t index) const { return entries_[index].textureUses; }

 private:
  struct Entry {
    std::string name;
    // Never null, even for an empty entry, so that "found but empty" and
    // "not found" stay distinguishable. Points into file_ or into owned.
    const uint8_t* data = nullptr;
    std::unique_ptr<uint8_t[]> owned;
    uint32_t size = 0;
    uint32_t texture = 0;
    int32_t textureUses = 0;
  };
  std::vector<Entry> entries_;
  // The loaded file, read whole; the entries read from it point into its
  // bytes, so it is never resized after load.
  std::vector<uint8_t> file_;
  // Bytes the archive takes in the file layout, count included.
  uint64_t layoutBytes_ = 4;

  bool load(const std::string& path, std::string* why);
  bool parse(std::string* why);
  void append(std::string name, const uint8_t* bytes, uint32_t size);
  void appendView(std::string name, const uint8_t* bytes, uint32_t size);
  void replaceData(Entry& entry, const uint8_t* bytes, uint32_t size);
  uint64_t roomLeft() const;
  const Entry* find(const std::string& name) const;
  Entry* find(const std::string& name);
};

// The line a person is shown for an archive file that tryLoad could not
// read: "cannot read the archive main.pak: FOLDER/main.pak does not
// exist", with the full path it was looked for at (a relative path taken
// from the working folder) and `why`.
std::string unreadableArchiveText(const std::string& path, const std::string& why);

// The path under which archive `archiveName` is opened. A base folder whose
// first character is the digit zero means "no folder" (the current working
// directory); any other base folder is prefixed as is, with no separator.
std::string archivePath(const std::string& baseFolder, const std::string& archiveName);
