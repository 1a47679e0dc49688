#pragma once
#include <ctime>
#include <functional>

// The one source of local time for everything that shows it (clock and
// calendar). By default it is the C library's time() and localtime(); tests
// and the still renderer replace the "now" with a function of their own.

using TimeSource = std::function<std::time_t()>;

// Current local time as a broken-down record.
std::tm readLocalTime();

// Replaces the source of "now"; an empty function restores time().
void setTimeSource(TimeSource source);

// Seconds since the epoch for a local calendar time given as
// "YYYY-MM-DD HH:MM:SS". Returns false on malformed text.
bool parseLocalTime(const char* text, std::time_t& result);
