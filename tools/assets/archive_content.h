#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assets/model.h"

// The entries of one archive under construction, in the order they will be
// written. Models are encoded as they are added; images arrive as PNG bytes.
struct ArchiveContent {
  struct Entry {
    std::string name;
    std::vector<uint8_t> bytes;
  };
  std::vector<Entry> entries;

  void addModel(const std::string& name, const Model& model) {
    entries.push_back({name, encodeModel(model)});
  }
  void addImage(const std::string& name, std::vector<uint8_t> png) {
    entries.push_back({name, std::move(png)});
  }
  bool has(const std::string& name) const {
    for (const Entry& e : entries)
      if (e.name == name) return true;
    return false;
  }
};

// The four archives' builders.
ArchiveContent buildMainArchive();
ArchiveContent buildUtilsArchive();
ArchiveContent buildClockArchive();
ArchiveContent buildCalendarArchive();

// Model names the scene asks each archive for (file name -> entries).
std::vector<std::string> requiredEntries(const std::string& archiveFile);
// The part of those the saver loads only for an option that is off by
// default (the light of the time of day, falling snow).
std::vector<std::string> optionEntries(const std::string& archiveFile);
// The archive file names, in build order.
std::vector<std::string> archiveFiles();
