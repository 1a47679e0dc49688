#pragma once
#include <string>

class SceneNode;

// Small stand-ins for the four archives: every entry the scene loads is a
// model with one small triangle whose texture name is '=' followed by the
// entry's own name, so a test can tell which entry a node loaded.
//
// Written next to the running test executable (the installation folder when
// there is no registry value), each file replaced atomically so that test
// processes running side by side never read half a file. Returns the folder,
// with its trailing '/'.
std::string writeTestArchives();

// The entry a node loaded first, or "" for a node without meshes.
std::string loadedEntry(const SceneNode* node);

// Writes a settings file that carries the seven overlay flags, in the
// order: frame rate, clock, analog, 24-hour, large clock, calendar,
// Monday-first calendar.
bool writeSettingsFile(const std::string& path, const unsigned char flags[7]);
