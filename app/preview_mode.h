#pragma once
#include "app/modes.h"

// Paints the preview picture into the host's preview window until the host
// destroys it. Returns the exit status.
int runPreviewMode(const CommandLine& line);
