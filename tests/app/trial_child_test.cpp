#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "platform/trial_child.h"

namespace {

struct Trial {
  const char* what;
  std::function<bool()> trial;
  bool succeeds;
};

// A hanging child is ended at the budget; every child is waited for.
TEST(TrialChild, OnlyATrueAnswerInTimeSucceeds) {
  const Trial trials[] = {
      {"true", [] { return true; }, true},
      {"false", [] { return false; }, false},
      {"crash", [] { return raise(SIGSEGV) == 0; }, false},
      {"hang", [] { return sleep(60) == 0; }, false},
  };
  for (const Trial& t : trials) {
    EXPECT_EQ(succeedsInChild(t.trial, 500), t.succeeds) << t.what;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << t.what;
    EXPECT_EQ(errno, ECHILD) << t.what;
  }
}

}  // namespace
