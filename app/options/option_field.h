#pragma once
#include <type_traits>

#include "app/extra_settings.h"
#include "app/settings.h"

// The file an option is kept in: a field of the binary settings file, whose
// layout is fixed and which other readers share, or a "key = value" line of
// the text file beside it.
enum class OptionStore { SettingsFile, TextFile };

// Where an option's value lives: one member of the record of the file that
// keeps it, read and written as a number (a flag's byte, a display-mode row,
// an enumeration's value). Made by fieldOf, so the store and the member
// always agree.
struct OptionField {
  OptionStore store;
  int (*readSettings)(const Settings&);
  void (*writeSettings)(Settings&, int);
  int (*readText)(const ExtraSettings&);
  void (*writeText)(ExtraSettings&, int);

  // The value, from whichever record keeps it.
  int read(const Settings& settings, const ExtraSettings& extras) const {
    return store == OptionStore::SettingsFile ? readSettings(settings) : readText(extras);
  }
  // Sets the value in whichever record keeps it, the other left alone.
  void write(Settings& settings, ExtraSettings& extras, int value) const {
    if (store == OptionStore::SettingsFile) writeSettings(settings, value);
    else writeText(extras, value);
  }
  // For code that holds one record only: writes when the option lives
  // there, and says whether it did.
  bool writeTo(Settings& settings, int value) const {
    if (store == OptionStore::SettingsFile) writeSettings(settings, value);
    return store == OptionStore::SettingsFile;
  }
  bool writeTo(ExtraSettings& extras, int value) const {
    if (store == OptionStore::TextFile) writeText(extras, value);
    return store == OptionStore::TextFile;
  }
};

// The record and value types of a pointer to a member, for fieldOf.
namespace option_field {

template <typename Member>
struct MemberOf;
template <typename Record, typename Value>
struct MemberOf<Value Record::*> {
  using RecordType = Record;
  using ValueType = Value;
};

template <auto member>
using RecordOf = typename MemberOf<decltype(member)>::RecordType;

// The member as a number: an enumeration's value, a flag's byte.
template <auto member>
int read(const RecordOf<member>& record) {
  return static_cast<int>(record.*member);
}

// A number back into the member's own type.
template <auto member>
void write(RecordOf<member>& record, int value) {
  record.*member = static_cast<typename MemberOf<decltype(member)>::ValueType>(value);
}

}  // namespace option_field

// The field of `member`, a member of Settings or of ExtraSettings.
template <auto member>
constexpr OptionField fieldOf() {
  using Record = option_field::RecordOf<member>;
  static_assert(std::is_same_v<Record, Settings> || std::is_same_v<Record, ExtraSettings>);
  if constexpr (std::is_same_v<Record, Settings>) {
    return {OptionStore::SettingsFile, &option_field::read<member>,
            &option_field::write<member>, nullptr, nullptr};
  } else {
    return {OptionStore::TextFile, nullptr, nullptr, &option_field::read<member>,
            &option_field::write<member>};
  }
}
