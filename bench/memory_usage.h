#pragma once
#include <string>

// Resident memory of this process, in kilobytes, from the kernel's status
// file: the current figure, the peak since the process started, and the
// private (anonymous) part of the current one, which leaves out pages of
// shared libraries such as the software rasteriser's compiler.
struct MemoryUsage {
  long residentKb = -1;
  long peakResidentKb = -1;
  long privateKb = -1;
};

// Reads the fields "VmRSS:", "VmHWM:" and "RssAnon:" from status text; a
// field that is missing or unreadable stays -1.
MemoryUsage parseMemoryStatus(const std::string& statusText);

MemoryUsage readMemoryUsage();
