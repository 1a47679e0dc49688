#include "app/options/option_table.h"

namespace {

constexpr int kOff = 0;
constexpr int kOn = 1;
constexpr int kDesktopRow = 0;

// One row per option. A row's spellings are the only ones in the code:
// everything else reads them from here.
std::vector<Option> buildTable() {
  return {
      Option("clock", fieldOf<&Settings::showClock>(), OptionValues::OnOff, kOn)
          .inDialog("Clock", "Sho_w the clock")
          .onCommandLine(combinedForm("--clock",
                                      {{"digital", {{"clock", kOn}, {"analog-clock", kOff}}},
                                       {"analog", {{"clock", kOn}, {"analog-clock", kOn}}},
                                       {"none", {{"clock", kOff}}}},
                                      "a digital clock, a dial with hands, or no clock")
                             .inHostDialog()),
      Option("analog-clock", fieldOf<&Settings::analogClock>(), OptionValues::OnOff, kOff)
          .inDialog("Clock", "_Analog, with hands", "_Digital"),
      Option("clock-24-hour", fieldOf<&Settings::clock24Hour>(), OptionValues::OnOff, kOff)
          .inDialog("Clock", "_24-hour digits (otherwise AM/PM)")
          .onCommandLine(switchForm("--24-hour", "--12-hour",
                                    "digits in 24-hour form, or in 12-hour form with AM/PM")
                             .inHostDialog()),
      Option("large-clock", fieldOf<&Settings::largeClock>(), OptionValues::OnOff, kOn)
          .inDialog("Clock", "_Large clock")
          .onCommandLine(switchForm("--large-clock", "--small-clock",
                                    "the clock nearer the viewer, so larger, or further away")
                             .inHostDialog()),
      Option("calendar", fieldOf<&Settings::showCalendar>(), OptionValues::OnOff, kOn)
          .inDialog("Calendar", "Show the calenda_r")
          .onCommandLine(
              combinedForm("--calendar",
                           {{"sunday", {{"calendar", kOn}, {"monday-first-calendar", kOff}}},
                            {"monday", {{"calendar", kOn}, {"monday-first-calendar", kOn}}},
                            {"none", {{"calendar", kOff}}}},
                           "a month calendar with weeks from Sunday, one with weeks from "
                           "Monday and its own weekday names, or none")
                  .inHostDialog()),
      // The flag also picks the calendar artwork with Russian weekday names.
      Option("monday-first-calendar", fieldOf<&Settings::russianCalendar>(),
             OptionValues::OnOff, kOff)
          .inDialog("Calendar", "Weeks start on _Monday, weekday names in Russian"),
      Option("frame-rate", fieldOf<&Settings::showFrameRate>(), OptionValues::OnOff, kOff)
          .inDialog("Screen", "Show the _frame rate")
          .onCommandLine(switchForm("--fps", "--no-fps", "show the frame rate, or not")
                             .alsoWithOneDash()
                             .inHostDialog()),
      // Left out of the daemon's dialog: in its window the daemon decides
      // when the run ends.
      Option("exit-on-mouse-move", fieldOf<&Settings::exitOnMouseMoveFlag>(),
             OptionValues::OnOff, kOff)
          .inDialog("Screen", "_Exit when the mouse moves")
          .onCommandLine(switchForm("--exit-on-mouse-move", "--no-exit-on-mouse-move",
                                    "end the full-screen run when the mouse moves (after its "
                                    "first 3 seconds), or only on Escape")),
      // Left out of the daemon's dialog too: its window has its own size.
      Option("display-mode", fieldOf<&Settings::displayMode>(), OptionValues::DisplayMode,
             kDesktopRow)
          .inDialog("Screen", "_Screen mode:")
          .onCommandLine(valuedForm("--display-mode",
                                    "the screen mode of the full-screen run: {values} (desktop "
                                    "keeps the desktop's)")
                             .valuesInHelp("MODE", "a mode such as 1024x768")),
      Option("time-of-day", fieldOf<&ExtraSettings::timeOfDay>(), OptionValues::OnOff, kOff)
          .explained("light that follows the local time")
          .inDialog("Scene", "Light follows the _time of day (night, dawn, dusk)")
          .onCommandLine(switchForm("--time-of-day", "--no-time-of-day",
                                    "light that follows the local time: a low winter sun by "
                                    "day, blue dusk, moonlight and the train's lamps at night; "
                                    "or always noon")
                             .inHostDialog()),
      Option("snow", fieldOf<&ExtraSettings::snowfall>(), OptionValues::Named,
             static_cast<int>(Snowfall::None))
          .named({namedValue(Snowfall::None, "none", "No snow"),
                  namedValue(Snowfall::Light, "light", "Light snow"),
                  namedValue(Snowfall::Steady, "steady", "Steady snow"),
                  namedValue(Snowfall::Heavy, "heavy", "Heavy snow")})
          .explained("falling snow")
          .inDialog("Scene", "Falling s_now:")
          .onCommandLine(valuedForm("--snow", "falling snow drifting past the train, and how "
                                              "thick")
                             .inHostDialog()),
      // Only a full-screen run over several monitors has a choice here; a
      // host gives each monitor a window and a saver of its own.
      Option("overlays", fieldOf<&ExtraSettings::overlayMonitors>(), OptionValues::Named,
             static_cast<int>(OverlayMonitors::Every))
          .named({namedValue(OverlayMonitors::Every, "every-monitor", nullptr),
                  namedValue(OverlayMonitors::Primary, "primary-monitor", nullptr)})
          .explained("where the clock, calendar and frame rate go when several monitors "
                     "each show the scene")
          .onCommandLine(valuedForm("--overlays",
                                    "with several monitors, each showing the whole scene: the "
                                    "clock, calendar and frame rate on each of them, or on the "
                                    "primary one only")),
  };
}

}  // namespace

const std::vector<Option>& optionTable() {
  static const std::vector<Option> table = buildTable();
  return table;
}

const Option* findOption(const std::string& name) {
  for (const Option& option : optionTable()) {
    if (name == option.name) return &option;
  }
  return nullptr;
}
