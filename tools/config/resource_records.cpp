#include "tools/config/resource_records.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The offset just after the line that starts at `start`, and whether that
// line ends in a backslash before its newline (or before the end of the text).
size_t lineEnd(const std::string& text, size_t start, bool& continues) {
  size_t newline = text.find('\n', start);
  size_t contentEnd = newline == std::string::npos ? text.size() : newline;
  continues = contentEnd > start && text[contentEnd - 1] == '\\';
  return newline == std::string::npos ? text.size() : newline + 1;
}

// The app-defaults write "*programs" or "XScreenSaver.programs" where the
// user's file writes "programs"; all name the same setting.
std::string plainName(std::string key) {
  while (!key.empty() && isBlank(key.back())) key.pop_back();
  if (!key.empty() && key[0] == '*') key.erase(0, 1);
  const std::string kClass = "XScreenSaver";
  if (key.compare(0, kClass.size(), kClass) == 0 && key.size() > kClass.size() &&
      (key[kClass.size()] == '.' || key[kClass.size()] == '*')) {
    key.erase(0, kClass.size() + 1);
  }
  return key;
}

// Fills in the name and value offset of a setting; comments, blank lines
// and lines without a ':' on their first line keep an empty name.
void nameRecord(const std::string& text, ResourceRecord& record, size_t firstLineEnd) {
  size_t key = record.begin;
  while (key < firstLineEnd && isBlank(text[key])) ++key;
  if (key == firstLineEnd || text[key] == '#' || text[key] == '!' || text[key] == '\n') return;
  size_t colon = text.find(':', key);
  if (colon == std::string::npos || colon >= firstLineEnd) return;
  record.name = plainName(text.substr(key, colon - key));
  record.valueBegin = colon + 1;
}

}  // namespace

bool splitResourceRecords(const std::string& text, std::vector<ResourceRecord>& records) {
  records.clear();
  size_t start = 0;
  while (start < text.size()) {
    ResourceRecord record;
    record.begin = start;
    bool continues = false;
    size_t next = lineEnd(text, start, continues);
    size_t firstLineEnd = next;
    record.lastLine = start;
    while (continues) {
      if (next >= text.size()) return false;
      record.lastLine = next;
      next = lineEnd(text, next, continues);
    }
    record.end = next;
    nameRecord(text, record, firstLineEnd);
    records.push_back(record);
    start = next;
  }
  return true;
}

const ResourceRecord* findResource(const std::vector<ResourceRecord>& records,
                                   const std::string& name) {
  const ResourceRecord* found = nullptr;
  for (const ResourceRecord& record : records) {
    if (record.name == name) found = &record;
  }
  return found;
}

std::string joinedValue(const std::string& text, const ResourceRecord& record) {
  std::string value;
  for (size_t i = record.valueBegin; i < record.end; ++i) {
    if (text[i] == '\\' && i + 1 < record.end && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    value += text[i];
  }
  return value;
}
