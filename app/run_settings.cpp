#include "app/run_settings.h"

#include "app/settings_files.h"

// The command line wins over whatever the files said.
RunSettings readRunSettingsFrom(const std::vector<std::string>& settingsFiles,
                                const SettingOverrides& overrides) {
  std::string settingsSource, extrasSource;
  RunSettings run{readRunSettings(settingsFiles, settingsSource),
                  readRunExtraSettings(settingsFiles, extrasSource)};
  overrides.applyTo(run.settings);
  overrides.applyTo(run.extras);
  return run;
}
