#include "child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

extern char** environ;

namespace {

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(&text[0]);
  pointers.push_back(nullptr);
  return pointers;
}

// The test's environment with the given NAME=value entries put over it.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& changes) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const std::string& change : changes) {
      if (change.substr(0, change.find('=')) == name) replaced = true;
    }
    if (!replaced) merged.push_back(text);
  }
  merged.insert(merged.end(), changes.begin(), changes.end());
  return merged;
}

void redirect(const std::string& file, int target) {
  int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd >= 0) dup2(fd, target);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const Options& options) {
  std::vector<std::string> argumentTexts{program};
  argumentTexts.insert(argumentTexts.end(), options.arguments.begin(), options.arguments.end());
  std::vector<std::string> environmentTexts = mergedEnvironment(options.environment);
  std::vector<char*> argv = pointersTo(argumentTexts);
  std::vector<char*> envp = pointersTo(environmentTexts);
  pid_ = fork();
  if (pid_ != 0) return;
  redirect(options.outputFile, STDOUT_FILENO);
  redirect(options.errorFile, STDERR_FILENO);
  if (options.user != 0) {
    if (setgroups(0, nullptr) != 0 || setgid(options.group) != 0 || setuid(options.user) != 0) {
      _exit(126);
    }
  }
  // A bare name is looked up in PATH, as a shell would.
  execvpe(program.c_str(), argv.data(), envp.data());
  _exit(127);
}

ChildProcess::~ChildProcess() {
  if (pid_ <= 0 || reaped_) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, &rawStatus_, 0);
}

bool ChildProcess::running() {
  if (pid_ <= 0 || reaped_) return false;
  if (waitpid(pid_, &rawStatus_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

bool ChildProcess::waitForExit(int timeoutMs, int& status) {
  if (!waitUntil(timeoutMs, [this] { return !running(); })) return false;
  if (pid_ <= 0 || !WIFEXITED(rawStatus_)) return false;
  status = WEXITSTATUS(rawStatus_);
  return true;
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
