#pragma once
#include <string>

// A name from an archive (an entry's, a mesh's texture) as text that stays
// on its line and cannot steer a terminal: printable ASCII as it is, the
// backslash doubled, tab, line feed and carriage return as \t, \n and \r,
// every other byte as \xHH. Two different names never print alike.
std::string printableName(const std::string& name);
