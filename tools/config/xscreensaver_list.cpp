#include "tools/config/xscreensaver_list.h"

#include <vector>

#include "tools/config/resource_records.h"

// The daemon's columns: the visual at 2, the command at 32, and the
// entry's "\n" at 76, with tabs of 8 between them.
const char* const kSaverListEntry = "  GL: \t\t\t\thalvenrode --root\t\t\t    \\n";

namespace {

const char* const kProgramsName = "programs";
const char* const kSaverProgram = "halvenrode";

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && isSpace(text[first])) ++first;
  while (last > first && isSpace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The next word of `entry` from `at` on, skipping blanks before it.
std::string nextWord(const std::string& entry, size_t& at) {
  while (at < entry.size() && isSpace(entry[at])) ++at;
  size_t start = at;
  while (at < entry.size() && !isSpace(entry[at])) ++at;
  return entry.substr(start, at - start);
}

// An entry reads "[-] [visual:] ["name"] command arguments": true when its
// command is the saver, under any folder.
bool entryRunsSaver(const std::string& entry) {
  size_t at = 0;
  while (at < entry.size() && isSpace(entry[at])) ++at;
  if (at < entry.size() && entry[at] == '-') ++at;
  std::string word = nextWord(entry, at);
  if (!word.empty() && word.back() == ':') word = nextWord(entry, at);
  if (!word.empty() && word[0] == '"') {
    size_t close = entry.find('"', at - word.size() + 1);
    if (close == std::string::npos) return false;
    at = close + 1;
    word = nextWord(entry, at);
  }
  size_t slash = word.rfind('/');
  return word.substr(slash == std::string::npos ? 0 : slash + 1) == kSaverProgram;
}

// Entries are separated by the two characters "\n" in the joined value.
bool listRunsSaver(const std::string& value) {
  size_t start = 0;
  while (start <= value.size()) {
    size_t separator = value.find("\\n", start);
    size_t end = separator == std::string::npos ? value.size() : separator;
    if (entryRunsSaver(value.substr(start, end - start))) return true;
    if (separator == std::string::npos) break;
    start = separator + 2;
  }
  return false;
}

bool endsWithSeparator(const std::string& value) {
  std::string rest = trimmed(value);
  return rest.empty() || (rest.size() >= 2 && rest.compare(rest.size() - 2, 2, "\\n") == 0);
}

bool blankLine(const std::string& text, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    if (!isSpace(text[i])) return false;
  }
  return true;
}

// Appends the saver's entry to the list of `record`. When the list ends
// with a blank line, as the daemon writes it, the entry goes before that
// line and goes on with a backslash; otherwise the list's last line is made
// to go on, and the entry ends the list. A last entry without its "\n" gets
// one, so the two entries stay apart.
std::string withSaverAppended(const std::string& text, const ResourceRecord& record) {
  std::string separator = endsWithSeparator(joinedValue(text, record)) ? "" : "\\n";
  if (record.lastLine > record.begin && blankLine(text, record.lastLine, record.end)) {
    size_t previousBackslash = record.lastLine - 2;
    return text.substr(0, previousBackslash) + separator +
           text.substr(previousBackslash, record.lastLine - previousBackslash) +
           kSaverListEntry + "\\\n" + text.substr(record.lastLine);
  }
  size_t contentEnd = record.end;
  if (contentEnd > record.lastLine && text[contentEnd - 1] == '\n') --contentEnd;
  return text.substr(0, contentEnd) + separator + "\\\n" + kSaverListEntry +
         text.substr(contentEnd);
}

ListEdit unusable(const std::string& problem) {
  ListEdit edit;
  edit.problem = problem;
  return edit;
}

// The "programs" record of `text`, or null with `problem` set.
const ResourceRecord* programsRecord(const std::string& text,
                                     std::vector<ResourceRecord>& records, std::string& problem) {
  if (!splitResourceRecords(text, records)) {
    problem = "its last line ends in a backslash, so the file looks cut short";
    return nullptr;
  }
  const ResourceRecord* record = findResource(records, kProgramsName);
  if (record == nullptr) problem = "it has no \"programs:\" setting";
  return record;
}

// The daemon's own defaults as it writes them into a user's file: each
// setting the app-defaults make for the whole program ("*timeout:", not
// "*hacks.maze.name:"), as "name:value", in the app-defaults' order and
// with the value's own spacing and continuation lines.
std::string daemonDefaults(const std::string& appDefaults,
                           const std::vector<ResourceRecord>& records) {
  std::string text;
  for (const ResourceRecord& record : records) {
    if (record.name.empty() || record.name.find_first_of(".*") != std::string::npos) continue;
    text += record.name + ":" + appDefaults.substr(record.valueBegin, record.end - record.valueBegin);
    if (text.back() != '\n') text += '\n';
  }
  return text;
}

}  // namespace

ListEdit addSaverToUserFile(const std::string& userFile) {
  if (userFile.find('\0') != std::string::npos) return unusable("it is not a text file");
  std::vector<ResourceRecord> records;
  std::string problem;
  const ResourceRecord* record = programsRecord(userFile, records, problem);
  if (record == nullptr) return unusable(problem);
  ListEdit edit;
  if (listRunsSaver(joinedValue(userFile, *record))) {
    edit.change = ListChange::AlreadyListed;
    return edit;
  }
  edit.change = ListChange::Added;
  edit.text = withSaverAppended(userFile, *record);
  return edit;
}

ListEdit freshUserFile(const std::string& appDefaults, const std::string& appDefaultsPath) {
  std::vector<ResourceRecord> records;
  std::string problem;
  const ResourceRecord* record = programsRecord(appDefaults, records, problem);
  if (record == nullptr) return unusable(appDefaultsPath + ": " + problem);
  ListEdit edit = addSaverToUserFile(daemonDefaults(appDefaults, records));
  if (edit.change != ListChange::Added) return edit;
  edit.text = "# XScreenSaver's defaults from " + appDefaultsPath +
              ",\n# with Halvenrode added to its programs by halvenrode-config.\n\n" + edit.text;
  return edit;
}
