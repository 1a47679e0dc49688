// Settings files. Whatever the bytes: reading ends, the display mode used is
// a row of the table, and what was read survives the configuration
// program's writer and the saver's reader unchanged; so do the strings kept
// byte for byte, as the configuration program reads them.
#include <cstdint>
#include <sstream>
#include <string>

#include "app/settings.h"
#include "app/settings_format.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool sameSettings(const Settings& a, const Settings& b) {
  return a.showFrameRate == b.showFrameRate && a.showClock == b.showClock &&
         a.analogClock == b.analogClock && a.clock24Hour == b.clock24Hour &&
         a.largeClock == b.largeClock && a.showCalendar == b.showCalendar &&
         a.russianCalendar == b.russianCalendar && a.opaqueField1 == b.opaqueField1 &&
         a.opaqueField2 == b.opaqueField2 && a.exitOnMouseMoveFlag == b.exitOnMouseMoveFlag &&
         a.reservedWord == b.reservedWord && a.displayMode == b.displayMode;
}

Settings readSettings(const std::string& bytes) {
  std::istringstream in(bytes, std::ios::binary);
  return Settings(in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  Settings read = readSettings(bytes);
  FUZZ_CHECK(read.displayWidth() >= 0 && read.displayHeight() >= 0);
  FUZZ_CHECK(read.displayBitsPerPixel() >= 0);
  // Strings are kept up to their first zero byte, so they never carry one.
  FUZZ_CHECK(read.opaqueField1.find('\0') == std::string::npos);
  FUZZ_CHECK(read.opaqueField2.find('\0') == std::string::npos);
  FUZZ_CHECK(read.opaqueField1.size() + read.opaqueField2.size() <= size);

  std::string written = encodeSettings(read);
  Settings reread = readSettings(written);
  FUZZ_CHECK(sameSettings(read, reread));
  FUZZ_CHECK(encodeSettings(reread) == written);

  Settings exact, again;
  bool whole = decodeSettings(bytes, exact);
  FUZZ_CHECK(whole || sameSettings(exact, Settings()));
  FUZZ_CHECK(decodeSettings(encodeSettings(exact), again) && sameSettings(exact, again));
  return 0;
}
