#include "tests/fuzz/extract_sandbox.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

const char kTargetBytes[] = "outside";

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

size_t entriesIn(const std::string& folder) {
  std::error_code error;
  auto items = std::filesystem::directory_iterator(folder, error);
  if (error) return 0;
  return static_cast<size_t>(std::distance(items, std::filesystem::directory_iterator()));
}

}  // namespace

ExtractSandbox::ExtractSandbox() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/halvenrode-extract-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) return;
  root_ = std::string(buffer.data()) + "/";
  std::error_code error;
  std::filesystem::create_directory(root_ + "outside", error);
  std::ofstream(root_ + "outside/target", std::ios::binary) << kTargetBytes;
  ok_ = !error && reset();
}

ExtractSandbox::~ExtractSandbox() {
  std::error_code ignored;
  if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
}

bool ExtractSandbox::outsideUntouched() const {
  return entriesIn(root_) == 2 && entriesIn(root_ + "outside") == 1 &&
         fileText(root_ + "outside/target") == kTargetBytes;
}

bool ExtractSandbox::reset() {
  std::error_code error;
  std::filesystem::remove_all(root_ + "box", error);
  if (error || mkdir((root_ + "box").c_str(), 0755) != 0) return false;
  return symlink("../outside", (root_ + "box/link").c_str()) == 0 &&
         link((root_ + "outside/target").c_str(), (root_ + "box/hard").c_str()) == 0 &&
         mkfifo((root_ + "box/pipe").c_str(), 0644) == 0;
}
