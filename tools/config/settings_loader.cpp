#include "tools/config/settings_loader.h"

#include <sstream>

#include "app/display_mode_table.h"

namespace {

// Bytes in front of the first counted string in the older layout: the
// marker and 14 bytes of options it no longer uses.
constexpr std::streamoff kOlderLayoutHeader = 18;
constexpr std::streamoff kMarkerBytes = 4;
// Bytes after the two strings in the layout with options.
constexpr std::streamoff kOptionBytes = 16;

bool readI32(std::istream& in, int32_t& value) {
  unsigned char b[4];
  if (!in.read(reinterpret_cast<char*>(b), 4)) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                               static_cast<uint32_t>(b[2]) << 16 |
                               static_cast<uint32_t>(b[3]) << 24);
  return true;
}

bool readCounted(std::istream& in, std::streamoff size, std::string& text) {
  int32_t count = 0;
  if (!readI32(in, count) || count < 0) return false;
  std::streamoff here = in.tellg();
  if (here < 0 || count > size - here) return false;
  text.assign(static_cast<size_t>(count), '\0');
  return count == 0 || static_cast<bool>(in.read(&text[0], count));
}

}  // namespace

bool readStoredStrings(std::istream& in, std::string& first, std::string& second) {
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  in.seekg(0);
  int32_t marker = 0;
  if (size < 0 || !readI32(in, marker)) return false;
  bool withOptions = marker == kSettingsFormatWithOptions;
  in.seekg(withOptions ? kMarkerBytes : kOlderLayoutHeader);
  if (!readCounted(in, size, first) || !readCounted(in, size, second)) return false;
  std::streamoff here = in.tellg();
  return here >= 0 && (!withOptions || size - here >= kOptionBytes);
}

bool loadSettingsFile(const std::string& path, Settings& settings, std::string& problem) {
  std::string why, bytes;
  FileRead outcome = readSettingsFile(path, settings, &why, &bytes);
  if (outcome == FileRead::Missing) return true;
  if (outcome != FileRead::Done) {
    problem = path + " " + why;
    return false;
  }
  std::istringstream in(bytes, std::ios::binary);
  std::string first, second;
  // A file the saver rejects as incomplete gave the defaults with empty
  // strings; the stored strings are kept only from a complete file.
  if (readStoredStrings(in, first, second)) {
    settings.opaqueField1 = first;
    settings.opaqueField2 = second;
  }
  if (settings.displayMode < 0 || settings.displayMode >= kDisplayModeCount) {
    settings.displayMode = 0;
  }
  return true;
}
