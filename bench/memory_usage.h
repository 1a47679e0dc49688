#pragma once
#include <string>

// Resident memory of this process, in kilobytes, from the kernel's status
// file: the current figure and the peak since the process started.
struct MemoryUsage {
  long residentKb = -1;
  long peakResidentKb = -1;
};

// Reads the fields "VmRSS:" and "VmHWM:" from status text; a field that is
// missing or unreadable stays -1.
MemoryUsage parseMemoryStatus(const std::string& statusText);

MemoryUsage readMemoryUsage();
