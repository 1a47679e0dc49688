#pragma once
#include <string>

// A folder to extract fuzzed archives into, laid out the way a hostile
// folder could be: inside "box", "link" leads to the folder "outside"
// beside it, "hard" is a hard link to outside's only file and "pipe" is a
// pipe nobody reads. An extraction into the box must leave "outside" and
// the sandbox around the box as they were, and must never wait on the pipe.
class ExtractSandbox {
 public:
  ExtractSandbox();
  ~ExtractSandbox();
  ExtractSandbox(const ExtractSandbox&) = delete;
  ExtractSandbox& operator=(const ExtractSandbox&) = delete;

  bool ok() const { return ok_; }
  // The box's folder, ending in '/'.
  std::string box() const { return root_ + "box/"; }
  // True when nothing outside the box was created, changed or removed.
  bool outsideUntouched() const;
  // Empties the box and lays it out again.
  bool reset();

 private:
  std::string root_;
  bool ok_ = false;
};
