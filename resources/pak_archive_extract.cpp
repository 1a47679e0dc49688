#include "platform/paths.h"
#include "platform/write_in_folder.h"
#include "resources/pak_archive.h"

// Extraction writes where names from outside say: the place of each entry
// is judged on the path joined with the prefix, and written without
// following links (write_in_folder.h).

namespace {

// Splits the joined path `prefix` + `name` after the prefix's last '/':
// the folder the user chose, and the path inside it, which the entry's
// name decides (with the prefix's last part: "." and "./x" join to "../x").
void splitAtPrefixFolder(const std::string& prefix, const std::string& name, std::string& folder,
                         std::string& inside) {
  std::string nativePrefix = nativePath(prefix);
  size_t slash = nativePrefix.rfind('/');
  if (slash == std::string::npos) {
    folder = ".";
    inside = nativePrefix + nativePath(name);
    return;
  }
  folder = slash == 0 ? "/" : nativePrefix.substr(0, slash);
  inside = nativePrefix.substr(slash + 1) + nativePath(name);
}

}  // namespace

std::vector<PakArchive::ExtractFailure> PakArchive::extractAll(const std::string& prefix) const {
  std::vector<ExtractFailure> failures;
  for (const Entry& entry : entries_) {
    std::string problem = nameProblem(entry.name);
    std::string why = problem.empty() ? std::string() : "the name " + problem;
    std::string folder, inside;
    splitAtPrefixFolder(prefix, entry.name, folder, inside);
    if (problem.empty() && writeFileInFolder(folder, inside, entry.data, entry.size, &why)) {
      continue;
    }
    failures.push_back({entry.name, nativePath(prefix + entry.name), why});
  }
  return failures;
}
