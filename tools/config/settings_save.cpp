#include "tools/config/settings_save.h"

#include <cerrno>
#include <vector>

#include "app/settings_format.h"
#include "platform/replace_file.h"
#include "tools/config/extra_settings_file.h"
#include "tools/config/settings_writer.h"

namespace {

struct NewFile {
  std::string path;
  std::string bytes;
};

// The files to be written, the settings file first; a file whose options
// were not changed is left out, so that it keeps following the machine-wide
// one when the user has none.
std::vector<NewFile> newFiles(const SettingsTarget& target, const Settings* settings,
                              const ExtraSettings* extras) {
  std::vector<NewFile> files;
  if (settings != nullptr) files.push_back({target.path, encodeSettings(*settings)});
  if (extras != nullptr) {
    files.push_back({extraSettingsPathFor(target), encodeExtraSettings(*extras)});
  }
  return files;
}

// Staged files that are not to go in place any more leave nothing behind.
void discardAll(const std::vector<StagedFile>& staged, size_t from) {
  for (size_t i = from; i < staged.size(); ++i) discardStagedFile(staged[i]);
}

// Every file written beside its old one, or none: a failure removes the
// ones already written.
bool stageAll(const std::vector<NewFile>& files, std::vector<StagedFile>& staged,
              std::string& problem) {
  for (const NewFile& file : files) {
    StagedFile next;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
    if (!stageFile(file.path, bytes, file.bytes.size(), next)) {
      int error = errno;
      discardAll(staged, 0);
      problem = describeWriteFailure(file.path, error);
      return false;
    }
    staged.push_back(next);
  }
  return true;
}

}  // namespace

bool saveTargetFiles(const SettingsTarget& target, const Settings* settings,
                     const ExtraSettings* extras, std::string& problem) {
  std::vector<StagedFile> staged;
  if (!stageAll(newFiles(target, settings, extras), staged, problem)) return false;
  for (size_t i = 0; i < staged.size(); ++i) {
    if (commitStagedFile(staged[i])) continue;
    int error = errno;
    discardAll(staged, i + 1);
    problem = describeWriteFailure(staged[i].path, error);
    if (i > 0) problem += "; " + staged[0].path + " was changed all the same";
    return false;
  }
  return true;
}
