#pragma once

// SDL 2 (under the SDL 1.2 built on it) and GTK connect to the user's D-Bus
// session bus as they start. Where the session has none (no
// DBUS_SESSION_BUS_ADDRESS, no bus socket in XDG_RUNTIME_DIR, as on a bare
// X session), the D-Bus libraries start one of their own through
// dbus-launch, tied to the X display: a dbus-daemon that goes on running
// after the program that caused it, until the X server ends. Call before
// SDL or GTK start: it names an address that connects to nothing in that
// case, so that no process is started; a bus the session has is used as
// before.
void keepSessionBusFromStarting();
