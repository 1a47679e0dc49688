#include "tools/assets/archive_content.h"

// One list per archive of the model entries the saver loads by name: the
// locomotive and its running gear, car, smoke, terrain, rails, plants and
// background from "main.pak"; the overlays' pieces from the other three.
std::vector<std::string> archiveFiles() { return {"main.pak", "utils.pak", "clock.pak", "calendar.pak"}; }

static std::vector<std::string> numbered(const std::string& prefix, int first, int last) {
  std::vector<std::string> names;
  for (int i = first; i <= last; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

std::vector<std::string> optionEntries(const std::string& archiveFile) {
  if (archiveFile != "main.pak") return {};
  // Loaded only when the light follows the time of day or snow falls.
  return {"nebo_noch", "nebo_zarya", "luna", "sneg", "ogni", "fara_oreol", "fara_pyatno",
          "okno_svet", "ogon_oreol", "topka_ogon"};
}

std::vector<std::string> requiredEntries(const std::string& archiveFile) {
  std::vector<std::string> names;
  auto add = [&names](const std::vector<std::string>& more) {
    names.insert(names.end(), more.begin(), more.end());
  };
  if (archiveFile == "main.pak") {
    add({"parovoz", "kolesobig", "kolesosmall", "kolesosred", "koleb", "dergatel", "porshen_small",
         "richazek", "porshen", "balka", "balka2", "tolkatel", "topka", "smouke", "relsi", "relef1",
         "relef2", "elka", "derevo", "kust", "fon"});
    add(optionEntries(archiveFile));
  } else if (archiveFile == "utils.pak") {
    add({"fps"});
    add(numbered("", 0, 9));
  } else if (archiveFile == "clock.pak") {
    add({"ciferblat", "sec", "min", "chas", "podlozka", "podlozka_am", "dot", "am", "pm"});
    add(numbered("", 0, 9));
  } else if (archiveFile == "calendar.pak") {
    add({"fon", "fon_rus", "day", "day_rus", "null", "sel"});
    add(numbered("m", 1, 12));
    add(numbered("", 1, 31));
  }
  return names;
}
