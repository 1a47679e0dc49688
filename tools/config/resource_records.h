#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The screen-saver daemon's settings files (the user's ~/.xscreensaver and
// the daemon's app-defaults) are X resource files: "name: value" lines,
// where a line that ends in a backslash goes on in the next one, and lines
// whose first non-blank character is '#' or '!' are comments. Records keep
// byte offsets into the text, so an edit can change one record and leave
// every other byte where it was.

// One logical line: a setting with its continuation lines, a comment, a
// blank line or a line without a ':'.
struct ResourceRecord {
  size_t begin = 0;       // offset of its first line
  size_t lastLine = 0;    // offset of its last line
  size_t end = 0;         // offset just after it: after its last newline, or the end of the text
  std::string name;       // the resource's name ("programs" for "*programs:"); empty when no setting
  size_t valueBegin = 0;  // offset just after the ':' of a setting
};

// Splits `text` into records. False when a line ending in a backslash is the
// last line of the text: a continuation with nothing to continue is a file
// cut short, which is not read as if it were whole.
bool splitResourceRecords(const std::string& text, std::vector<ResourceRecord>& records);

// The record of the setting `name` that the daemon uses: the last one, as a
// later line overrides an earlier one. Null when there is none.
const ResourceRecord* findResource(const std::vector<ResourceRecord>& records,
                                   const std::string& name);

// The value of `record` as the daemon reads it: the text after the ':'
// with each backslash-newline pair taken out.
std::string joinedValue(const std::string& text, const ResourceRecord& record);
