#include "app/settings_format.h"

namespace {

// Bytes of options the older layout carries and nothing uses any more.
constexpr size_t kOlderOptionBytes = 14;

// Reads values in order and remembers whether any ran past the end.
class ByteReader {
 public:
  explicit ByteReader(const std::string& bytes) : bytes_(bytes) {}

  bool u8(uint8_t& value) {
    if (!has(1)) return false;
    value = static_cast<uint8_t>(bytes_[at_++]);
    return true;
  }

  bool u32(uint32_t& value) {
    if (!has(4)) return false;
    value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t{static_cast<uint8_t>(bytes_[at_++])} << (8 * i);
    return true;
  }

  bool i32(int32_t& value) {
    uint32_t raw;
    if (!u32(raw)) return false;
    value = static_cast<int32_t>(raw);
    return true;
  }

  bool skip(size_t count) {
    if (!has(count)) return false;
    at_ += count;
    return true;
  }

  bool counted(std::string& text) {
    int32_t count;
    if (!i32(count) || count < 0 || !has(static_cast<size_t>(count))) return false;
    text.assign(bytes_, at_, static_cast<size_t>(count));
    at_ += static_cast<size_t>(count);
    return true;
  }

 private:
  bool has(size_t count) const { return count <= bytes_.size() - at_; }

  const std::string& bytes_;
  size_t at_ = 0;
};

bool readWithOptions(ByteReader& in, Settings& s) {
  return in.counted(s.opaqueField1) && in.counted(s.opaqueField2) &&
         in.u8(s.exitOnMouseMoveFlag) && in.u32(s.reservedWord) && in.i32(s.displayMode) &&
         in.u8(s.showFrameRate) && in.u8(s.showClock) && in.u8(s.analogClock) &&
         in.u8(s.clock24Hour) && in.u8(s.largeClock) && in.u8(s.showCalendar) &&
         in.u8(s.russianCalendar);
}

// The older layout's options are dropped: the defaults stand, with its
// two strings.
bool readOlder(ByteReader& in, Settings& s) {
  return in.skip(kOlderOptionBytes) && in.counted(s.opaqueField1) && in.counted(s.opaqueField2);
}

void putU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putCounted(std::string& out, const std::string& text) {
  putU32(out, static_cast<uint32_t>(text.size()));
  out += text;
}

}  // namespace

bool decodeSettings(const std::string& bytes, Settings& settings) {
  settings = Settings();
  ByteReader in(bytes);
  int32_t marker;
  bool whole = in.i32(marker) &&
               (marker == kSettingsFormatWithOptions ? readWithOptions(in, settings)
                                                     : readOlder(in, settings));
  if (!whole) settings = Settings();
  return whole;
}

std::string encodeSettings(const Settings& settings) {
  std::string out;
  putU32(out, static_cast<uint32_t>(kSettingsFormatWithOptions));
  putCounted(out, settings.opaqueField1);
  putCounted(out, settings.opaqueField2);
  out += static_cast<char>(settings.exitOnMouseMoveFlag);
  putU32(out, settings.reservedWord);
  putU32(out, static_cast<uint32_t>(settings.displayMode));
  for (uint8_t option : {settings.showFrameRate, settings.showClock, settings.analogClock,
                         settings.clock24Hour, settings.largeClock, settings.showCalendar,
                         settings.russianCalendar}) {
    out += static_cast<char>(option);
  }
  return out;
}
