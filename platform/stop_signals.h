#pragma once

// The signals that stop a screen saver (SIGTERM from the host, SIGINT from
// a terminal, SIGHUP when the session goes) end the saver cleanly at any
// moment, with status 0, and within a second.
//
// During start-up the saver may sit inside a library call that never looks
// at events (SDL waits there until it gets the keyboard and pointer grab,
// which another program may hold for ever), so a signal then ends the
// process at once: the X server releases whatever the connection held.
// Once start-up is over, a signal only raises a flag that the main loop
// reads before every frame; should the loop not have ended a few seconds
// later (or a second signal arrive), the process ends then.
//
// Installed before SDL starts, so SDL leaves these signals alone. SIGINT
// and SIGHUP that the parent set to be ignored stay ignored.
void installStopSignals();

// From now on a signal asks the main loop to end instead of ending the
// process.
void finishStartup();

// Ends the process at once with status 0, as a stop signal would, while
// start-up lasts; does nothing once it is over.
void endIfStillStarting();

// Whether a stop signal has arrived since finishStartup.
bool stopSignalled();
