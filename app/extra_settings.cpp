#include "app/extra_settings.h"

#include <vector>

#include "app/options/option_table.h"
#include "app/options/option_values.h"
#include "app/settings_files.h"
#include "platform/paths.h"

namespace {

// A hand-written file of two keys is a few dozen bytes; a larger one is
// no file of ours.
constexpr uint64_t kLargestFile = 64 * 1024;
// Lines longer than this are no setting of ours and are skipped.
constexpr size_t kLongestLine = 256;
// What some editors put before the first line of a UTF-8 file.
constexpr char kByteOrderMark[] = "\xef\xbb\xbf";
constexpr size_t kByteOrderMarkSize = sizeof kByteOrderMark - 1;

// One "key = value" line; anything but an option of this file with a
// value it takes is skipped.
void applyLine(const std::string& line, ExtraSettings& extras) {
  size_t equals = line.find('=');
  if (equals == std::string::npos) return;
  const Option* option = findOption(withoutBlanksAround(line.substr(0, equals)));
  std::string text = withoutBlanksAround(line.substr(equals + 1));
  int value = 0;
  if (option != nullptr && parseValue(*option, text, value)) option->field.writeTo(extras, value);
}

}  // namespace

ExtraSettings::ExtraSettings() {
  for (const Option& option : optionTable()) option.field.writeTo(*this, option.defaultValue);
}

std::string withoutBlanksAround(const std::string& text) {
  const char* blanks = " \t\r";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

void applyExtraSettingsText(const std::string& text, ExtraSettings& extras) {
  size_t start = 0;
  if (text.compare(0, kByteOrderMarkSize, kByteOrderMark) == 0) start = kByteOrderMarkSize;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.size() > kLongestLine) continue;
    line = line.substr(0, line.find('#'));
    applyLine(line, extras);
  }
}

FileRead readExtraSettingsFile(const std::string& path, ExtraSettings& extras, std::string* why) {
  std::vector<uint8_t> bytes;
  FileRead outcome = readRegularFile(path, kLargestFile, bytes, why);
  if (outcome == FileRead::Done) {
    applyExtraSettingsText(std::string(bytes.begin(), bytes.end()), extras);
  }
  return outcome;
}

std::string encodeExtraSettings(const ExtraSettings& extras) {
  std::string text("# Halvenrode's options beside its settings file; halvenrode-config\n"
                   "# writes this file, and the command line overrides it.\n");
  for (const Option& option : optionTable()) {
    if (option.field.store != OptionStore::TextFile) continue;
    text += std::string(option.name) + " = " + valueName(option, option.field.readText(extras)) +
            "\n";
  }
  return text;
}

std::string extraSettingsFileBeside(const std::string& settingsPath) {
  std::string folder = folderOfPath(nativePath(settingsPath));
  if (folder == nativePath(settingsPath)) return kExtraSettingsFileName;
  return folder + "/" + kExtraSettingsFileName;
}

ExtraSettings readRunExtraSettings(const std::vector<std::string>& settingsFiles,
                                   std::string& source) {
  for (const std::string& settingsPath : settingsFiles) {
    ExtraSettings extras;
    std::string path = extraSettingsFileBeside(settingsPath);
    if (readExtraSettingsFile(path, extras) == FileRead::Done) {
      source = path;
      return extras;
    }
  }
  source.clear();
  return ExtraSettings();
}
