#include "tools/config/config_dialog.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <vector>

#include "app/display_mode_table.h"
#include "tools/config/config_command.h"
#include "tools/config/display_loss.h"
#include "tools/config/extra_settings_file.h"
#include "tools/config/option_table.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_lock.h"
#include "tools/config/settings_save.h"
#include "tools/config/xscreensaver_file.h"

namespace {

struct FlagControl {
  const FlagOption* option;
  GtkWidget* onButton;  // a check button, or the "on" radio button
};

struct DialogControls {
  std::vector<FlagControl> flags;
  GtkWidget* displayMode = nullptr;
  GtkWidget* timeOfDay = nullptr;
  GtkWidget* snowfall = nullptr;
};

// The choices of falling snow, in the order of the enumeration.
const Snowfall kSnowfallChoices[] = {Snowfall::None, Snowfall::Light, Snowfall::Steady,
                                     Snowfall::Heavy};
const char* const kSnowfallLabels[] = {"No snow", "Light snow", "Steady snow", "Heavy snow"};

// The frame for `group`, made on first use and packed into `column`.
GtkWidget* groupBox(GtkWidget* column, std::vector<std::pair<std::string, GtkWidget*>>& groups,
                    const char* group) {
  for (auto& known : groups) {
    if (known.first == group) return known.second;
  }
  GtkWidget* frame = gtk_frame_new(group);
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  gtk_container_set_border_width(GTK_CONTAINER(box), 8);
  gtk_container_add(GTK_CONTAINER(frame), box);
  gtk_box_pack_start(GTK_BOX(column), frame, FALSE, FALSE, 0);
  groups.emplace_back(group, box);
  return box;
}

// One option: a check button, or two radio buttons for a choice between
// two named forms.
GtkWidget* addFlag(GtkWidget* box, const FlagOption& option, bool on) {
  if (option.offLabel == nullptr) {
    GtkWidget* check = gtk_check_button_new_with_mnemonic(option.label);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), on);
    gtk_box_pack_start(GTK_BOX(box), check, FALSE, FALSE, 0);
    return check;
  }
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  GtkWidget* off = gtk_radio_button_new_with_mnemonic(nullptr, option.offLabel);
  GtkWidget* onButton =
      gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(off), option.label);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(on ? onButton : off), TRUE);
  gtk_box_pack_start(GTK_BOX(row), off, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), onButton, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  return onButton;
}

GtkWidget* addDisplayModes(GtkWidget* box, int32_t selected) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  GtkWidget* label = gtk_label_new_with_mnemonic("_Screen mode:");
  GtkWidget* modes = gtk_combo_box_text_new();
  for (int mode = 0; mode < kDisplayModeCount; ++mode) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(modes), displayModeLabel(mode).c_str());
  }
  gtk_combo_box_set_active(GTK_COMBO_BOX(modes), selected);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), modes);
  gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), modes, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  return modes;
}

// The scene's options from the text file: the light of the time of day
// and falling snow.
void addSceneControls(GtkWidget* box, const ExtraSettings& extras, DialogControls& controls) {
  controls.timeOfDay =
      gtk_check_button_new_with_mnemonic("Light follows the _time of day (night, dawn, dusk)");
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(controls.timeOfDay), extras.timeOfDay);
  gtk_box_pack_start(GTK_BOX(box), controls.timeOfDay, FALSE, FALSE, 0);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  GtkWidget* label = gtk_label_new_with_mnemonic("Falling s_now:");
  controls.snowfall = gtk_combo_box_text_new();
  int selected = 0;
  for (int i = 0; i < 4; ++i) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(controls.snowfall), kSnowfallLabels[i]);
    if (kSnowfallChoices[i] == extras.snowfall) selected = i;
  }
  gtk_combo_box_set_active(GTK_COMBO_BOX(controls.snowfall), selected);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), controls.snowfall);
  gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), controls.snowfall, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
}

DialogControls buildControls(GtkWidget* dialog, const Settings& settings,
                             const ExtraSettings& extras) {
  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_container_set_border_width(GTK_CONTAINER(column), 10);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), column, TRUE,
                     TRUE, 0);
  std::vector<std::pair<std::string, GtkWidget*>> groups;
  DialogControls controls;
  for (const FlagOption& option : flagOptions()) {
    GtkWidget* box = groupBox(column, groups, option.group);
    controls.flags.push_back({&option, addFlag(box, option, settings.*option.field != 0)});
  }
  controls.displayMode = addDisplayModes(groupBox(column, groups, "Screen"), settings.displayMode);
  addSceneControls(groupBox(column, groups, "Scene"), extras, controls);
  return controls;
}

// The scene options as the dialog shows them; what it does not show (where
// the overlays go on several monitors) is kept as loaded.
ExtraSettings chosenExtras(const DialogControls& controls, const ExtraSettings& loaded) {
  ExtraSettings chosen = loaded;
  chosen.timeOfDay = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(controls.timeOfDay));
  int snow = gtk_combo_box_get_active(GTK_COMBO_BOX(controls.snowfall));
  if (snow >= 0 && snow < 4) chosen.snowfall = kSnowfallChoices[snow];
  return chosen;
}

// The settings as the dialog shows them. A stored flag byte keeps its value
// unless its box was changed, and everything the dialog does not show is
// kept as loaded.
Settings chosenSettings(const DialogControls& controls, const Settings& loaded) {
  Settings chosen = loaded;
  for (const FlagControl& control : controls.flags) {
    bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(control.onButton));
    uint8_t& field = chosen.*control.option->field;
    if ((field != 0) != on) field = on ? 1 : 0;
  }
  int mode = gtk_combo_box_get_active(GTK_COMBO_BOX(controls.displayMode));
  if (mode >= 0) chosen.displayMode = mode;
  return chosen;
}

// Says whose settings the dialog edits and in which file, below the
// options.
void addWhereSaved(GtkWidget* dialog, const SettingsTarget& target) {
  GtkWidget* label = gtk_label_new(describeTarget(target).c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 40);
  gtk_label_set_xalign(GTK_LABEL(label), 0.0);
  gtk_widget_set_margin_start(label, 10);
  gtk_widget_set_margin_end(label, 10);
  gtk_widget_set_margin_bottom(label, 6);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), label, FALSE,
                     FALSE, 0);
}

// Lists the saver in the user's ~/.xscreensaver at once, whatever OK or
// Cancel does later, and shows what happened in `outcome`.
void onAddToXScreenSaver(GtkButton*, gpointer outcome) {
  XScreenSaverAddition addition = addSaverToXScreenSaver(installedXScreenSaverFiles());
  gtk_label_set_text(GTK_LABEL(outcome), addition.message.c_str());
}

// The daemon shows only the programs of each user's own list, so the
// button is offered for one's own settings only.
void addXScreenSaverControls(GtkWidget* dialog) {
  GtkWidget* frame = gtk_frame_new("XScreenSaver");
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
  gtk_container_set_border_width(GTK_CONTAINER(box), 8);
  gtk_container_add(GTK_CONTAINER(frame), box);
  GtkWidget* button = gtk_button_new_with_mnemonic("Add Halvenrode to _XScreenSaver's list");
  GtkWidget* outcome = gtk_label_new("");
  gtk_label_set_line_wrap(GTK_LABEL(outcome), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(outcome), 40);
  gtk_label_set_xalign(GTK_LABEL(outcome), 0.0);
  gtk_label_set_selectable(GTK_LABEL(outcome), TRUE);
  g_signal_connect(button, "clicked", G_CALLBACK(onAddToXScreenSaver), outcome);
  gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), outcome, FALSE, FALSE, 0);
  gtk_widget_set_margin_start(frame, 10);
  gtk_widget_set_margin_end(frame, 10);
  gtk_widget_set_margin_bottom(frame, 6);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), frame, FALSE,
                     FALSE, 0);
}

void showFailure(GtkWidget* parent, const char* headline, const std::string& problem) {
  GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL,
                                          GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE, "%s", headline);
  gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(box), "%s", problem.c_str());
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

// Saves under the same lock as the command line's --set, so the two never
// interleave their writes.
bool save(const SettingsTarget& target, const Settings& chosen, const ExtraSettings& extras,
          std::string& problem) {
  if (!prepareTargetFolder(target, problem)) return false;
  SettingsLock lock(target.path);
  if (!lock.held()) {
    problem = lock.problem();
    return false;
  }
  return saveTargetFiles(target, &chosen, &extras, problem);
}

}  // namespace

int runConfigDialog(int& argc, char**& argv, const SettingsTarget& target) {
  if (target.path.empty()) {
    std::fprintf(stderr, "%s: there is no home folder for your own settings; use --system\n",
                 kConfigProgramName);
    return 1;
  }
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "%s: no display for the settings dialog; "
                 "use --show or --set without one\n", kConfigProgramName);
    return 1;
  }
  watchForLostDisplay();
  Settings loaded;
  ExtraSettings loadedExtras;
  std::string unreadable;
  if (!loadTargetSettings(target, loaded, unreadable) ||
      !loadExtraSettingsFor(target, loadedExtras, unreadable)) {
    // Saving defaults over choices that could not be read would lose them.
    std::fprintf(stderr, "%s: %s\n", kConfigProgramName, unreadable.c_str());
    showFailure(nullptr, "The settings cannot be read.", unreadable);
    return 1;
  }
  GtkWidget* dialog = gtk_dialog_new_with_buttons(
      "Halvenrode settings", nullptr, GTK_DIALOG_MODAL, "_Cancel", GTK_RESPONSE_CANCEL, "_OK",
      GTK_RESPONSE_OK, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  DialogControls controls = buildControls(dialog, loaded, loadedExtras);
  if (target.scope == SettingsScope::User) addXScreenSaverControls(dialog);
  addWhereSaved(dialog, target);
  gtk_widget_show_all(dialog);
  int status = 0;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
    std::string problem;
    if (save(target, chosenSettings(controls, loaded), chosenExtras(controls, loadedExtras),
             problem)) {
      noteSettingsSaved();
    } else {
      std::fprintf(stderr, "%s: %s\n", kConfigProgramName, problem.c_str());
      showFailure(dialog, "The settings were not saved.", problem);
      status = 1;
    }
  }
  gtk_widget_destroy(dialog);
  return status;
}
