#pragma once

// How the process's heap hands memory back to the system. Called once at
// start, before the first large block is allocated.
void returnLargeBlocksToSystem();
