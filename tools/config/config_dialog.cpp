#include "tools/config/config_dialog.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <vector>

#include "app/options/option_table.h"
#include "app/options/option_values.h"
#include "tools/config/config_command.h"
#include "tools/config/display_loss.h"
#include "tools/config/extra_settings_file.h"
#include "tools/config/settings_loader.h"
#include "tools/config/settings_lock.h"
#include "tools/config/settings_save.h"
#include "tools/config/xscreensaver_file.h"

namespace {

// One option's control: a check box or the "on" radio button, whose state
// is the option's; or a list, whose entries follow the option's values.
struct OptionControl {
  const Option* option;
  GtkWidget* widget;
};

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

// An on/off option: a check button, or two radio buttons for a choice
// between two named forms.
GtkWidget* addSwitch(GtkWidget* box, const DialogControl& control, bool on) {
  if (control.offLabel == nullptr) {
    GtkWidget* check = gtk_check_button_new_with_mnemonic(control.label);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(check), on);
    gtk_box_pack_start(GTK_BOX(box), check, FALSE, FALSE, 0);
    return check;
  }
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  GtkWidget* off = gtk_radio_button_new_with_mnemonic(nullptr, control.offLabel);
  GtkWidget* onButton =
      gtk_radio_button_new_with_mnemonic_from_widget(GTK_RADIO_BUTTON(off), control.label);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(on ? onButton : off), TRUE);
  gtk_box_pack_start(GTK_BOX(row), off, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), onButton, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  return onButton;
}

// An option with values of its own: its label, then a list of them with
// `value` chosen; a value that is not in the list (a damaged file) leaves
// none chosen.
GtkWidget* addList(GtkWidget* box, const Option& option, int value) {
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
  GtkWidget* label = gtk_label_new_with_mnemonic(option.dialog.label);
  GtkWidget* list = gtk_combo_box_text_new();
  int chosen = -1;
  std::vector<OptionValue> values = valuesOf(option);
  for (size_t i = 0; i < values.size(); ++i) {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list), values[i].label.c_str());
    if (values[i].value == value) chosen = static_cast<int>(i);
  }
  gtk_combo_box_set_active(GTK_COMBO_BOX(list), chosen);
  gtk_label_set_mnemonic_widget(GTK_LABEL(label), list);
  gtk_box_pack_start(GTK_BOX(row), label, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(row), list, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
  return list;
}

// A control for every option the dialog shows, in the table's order, each
// in its group's frame.
std::vector<OptionControl> buildControls(GtkWidget* dialog, const Settings& settings,
                                         const ExtraSettings& extras) {
  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  gtk_container_set_border_width(GTK_CONTAINER(column), 10);
  gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), column, TRUE,
                     TRUE, 0);
  std::vector<std::pair<std::string, GtkWidget*>> groups;
  std::vector<OptionControl> controls;
  for (const Option& option : optionTable()) {
    if (option.dialog.group == nullptr) continue;
    GtkWidget* box = groupBox(column, groups, option.dialog.group);
    int value = option.field.read(settings, extras);
    controls.push_back({&option, option.values == OptionValues::OnOff
                                     ? addSwitch(box, option.dialog, value != 0)
                                     : addList(box, option, value)});
  }
  return controls;
}

// The value a control asks to store in place of `stored`; false when
// there is none. A box gives one only when it was changed, so a stored
// flag byte other than 0 or 1 keeps its value; a list whenever an entry
// is chosen.
bool changedValue(const OptionControl& control, int stored, int& value) {
  if (control.option->values == OptionValues::OnOff) {
    bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(control.widget));
    value = on ? 1 : 0;
    return (stored != 0) != on;
  }
  int chosen = gtk_combo_box_get_active(GTK_COMBO_BOX(control.widget));
  std::vector<OptionValue> values = valuesOf(*control.option);
  if (chosen < 0 || chosen >= static_cast<int>(values.size())) return false;
  value = values[static_cast<size_t>(chosen)].value;
  return true;
}

// Sets the options the dialog shows to what it shows; what it does not show
// (where the overlays go on several monitors, the settings file's own
// strings) stays as it was loaded.
void applyControls(const std::vector<OptionControl>& controls, Settings& settings,
                   ExtraSettings& extras) {
  for (const OptionControl& control : controls) {
    int value = 0;
    if (changedValue(control, control.option->field.read(settings, extras), value)) {
      control.option->field.write(settings, extras, value);
    }
  }
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
  std::vector<OptionControl> controls = buildControls(dialog, loaded, loadedExtras);
  if (target.scope == SettingsScope::User) addXScreenSaverControls(dialog);
  addWhereSaved(dialog, target);
  gtk_widget_show_all(dialog);
  int status = 0;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
    Settings chosen = loaded;
    ExtraSettings chosenExtras = loadedExtras;
    applyControls(controls, chosen, chosenExtras);
    std::string problem;
    if (save(target, chosen, chosenExtras, problem)) {
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
