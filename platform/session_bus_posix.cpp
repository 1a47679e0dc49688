#include "platform/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace {

bool isSet(const char* value) { return value != nullptr && value[0] != '\0'; }

// Where the D-Bus libraries look for the session's bus when no address is
// given, before they fall back to starting one.
bool userBusExists() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!isSet(runtime)) return false;
  struct stat status = {};
  return stat((std::string(runtime) + "/bus").c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

}  // namespace

// "disabled:" is an address of a kind no D-Bus library connects to: asking
// for the bus fails at once, and every caller here takes that quietly.
void keepSessionBusFromStarting() {
  if (isSet(std::getenv("DBUS_SESSION_BUS_ADDRESS")) || userBusExists()) return;
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}
