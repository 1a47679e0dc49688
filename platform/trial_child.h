#pragma once
#include <functional>

// Runs `trial` in a child process (a copy of this one, made by fork) and
// says whether it returned true within `budgetMs` milliseconds: for a
// library call that may crash or hang this process where it does not work.
// A child that returns false, crashes or takes longer counts as false. The
// child is ended and waited for before this returns, prints nothing, leaves
// no core file and ends with this process should this one end first. Call while this
// process has one thread; the child does nothing but `trial`, then ends
// without running exit handlers.
bool succeedsInChild(const std::function<bool()>& trial, int budgetMs);
