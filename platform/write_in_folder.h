#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Writes a file whose place inside a folder comes from outside input (an
// archive entry's name), so that nothing already in that folder can send
// the bytes elsewhere: no folder on the way is entered through a link, and
// the file goes to a new temporary file that is then renamed onto its name.
// Whatever stood there before (a link, a pipe, a hard link to another file)
// is replaced, never written through or waited on; the folder itself is
// the caller's choice and is opened as given.
//
// `relativePath` must stay inside `folder` (no leading '/', no ".."
// component, no zero byte) and name a file; the folders it names must
// exist. On failure
// no file is changed or left behind, and `why` says in a few words what
// stood in the way ("a folder on the way is a link: sub").
bool writeFileInFolder(const std::string& folder, const std::string& relativePath,
                       const uint8_t* bytes, size_t size, std::string* why = nullptr);
