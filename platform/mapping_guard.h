#pragma once
#include <cstddef>

// Keeps a read-only file mapping readable when its file is shortened in
// place: a read of a page past the file's new end, which would otherwise
// end the process with SIGBUS, finds that page and the rest of the range
// replaced by zero-filled ones. The damaged bytes are then zeros, which the
// readers of archive bytes treat like any other damaged content.

// Guards [start, start + length). False when no more ranges can be guarded
// (a handful at once) or the handler cannot be installed.
bool guardMapping(const void* start, size_t length);

// Ends the guard of the range starting at `start`, before it is unmapped.
void unguardMapping(const void* start);
