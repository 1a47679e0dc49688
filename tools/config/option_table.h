#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/display_mode_names.h"
#include "app/settings.h"

// The options a user can change, by the names the command line uses.
struct FlagOption {
  const char* name;          // command-line name, e.g. "analog-clock"
  const char* group;         // the dialog's frame that holds it
  const char* label;         // dialog text for "on", with its mnemonic
  const char* offLabel;      // dialog text for "off" when the choice is
                             // between two named forms; else null
  uint8_t Settings::*field;  // the byte in the settings record
};

// The eight on/off options, in the dialog's order.
const std::vector<FlagOption>& flagOptions();

// The name of the display-mode option on the command line.
constexpr const char* kDisplayModeOptionName = "display-mode";

// Dialog text of a row: "Desktop", or "1024 × 768, 32 bits per pixel".
std::string displayModeLabel(int row);

// Every option as "name=value", one per line, flags as on or off.
std::string describeSettings(const Settings& settings);

// Applies one "name=value". Flags take on/off, yes/no, true/false or 1/0.
// False, with the settings unchanged and `problem` set, for anything else.
bool applyAssignment(Settings& settings, const std::string& assignment, std::string& problem);
