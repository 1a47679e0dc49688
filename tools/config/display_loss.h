#pragma once

// The dialog's answer to losing its X server (the server ended, the
// session was closed under it), where GTK would end the program with
// status 1 and no word of why. Once watched, the program ends with one
// line on standard error naming the display and saying whether the
// settings were saved, and with status 1 unless they were.
void watchForLostDisplay();

// The settings are saved: losing the display from now on ends with status 0.
void noteSettingsSaved();
