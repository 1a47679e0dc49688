#include "tools/config/display_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

#include "tools/config/config_command.h"

namespace {

bool settingsSaved = false;

// Xlib gives up on the connection after this returns, so it ends the
// program itself; nothing of the dialog can be drawn any more.
int endForLostDisplay(Display* display) {
  std::fprintf(stderr, "%s: lost the connection to the display %s; the settings %s\n",
               kConfigProgramName, display != nullptr ? DisplayString(display) : "",
               settingsSaved ? "had been saved" : "were not saved");
  std::fflush(stderr);
  _exit(settingsSaved ? 0 : 1);
}

}  // namespace

void watchForLostDisplay() { XSetIOErrorHandler(endForLostDisplay); }

void noteSettingsSaved() { settingsSaved = true; }
