// The files a command writes, as one set: every path is checked before any
// computing starts, nothing is written over a file the command reads, and
// the set is written all or nothing (each file goes to a temporary beside
// its target, and the temporaries replace the targets only once all of them
// are complete).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pdrop::cli {

// Blocks SIGINT, SIGTERM and SIGHUP and starts a thread that, when one
// comes, removes whatever is staged and ends the process (exit status 128
// plus the signal). Call it first in main, before any other thread starts.
void RemoveStagedOnInterrupt();
// Instead of ending the process, the interrupt calls `stop` (from the
// waiting thread): for a command that runs until it is stopped.
void StopOnInterrupt(std::function<void()> stop);

class OutputSet {
 public:
  // `inputs` are the files the command reads; no output may name one.
  explicit OutputSet(std::vector<std::string> inputs);
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;
  // Removes whatever was staged and not committed.
  ~OutputSet();

  // Declares an output file given by `option` (e.g. "--csv"); an empty path
  // declares nothing. Throws InputError when the path is an input, a
  // directory, or in a folder that does not exist or cannot be written. A
  // device or a pipe (/dev/null, a FIFO) is written into at Commit, not
  // replaced; a link keeps pointing where it did.
  void ExpectFile(const std::string& option, const std::string& path);
  // Declares a folder that receives files of fixed names; it must exist and
  // be writable. Returns a fresh, empty staging folder inside it, whose files
  // Commit moves into the folder.
  std::string ExpectFolder(const std::string& option, const std::string& folder);

  // Stages the text of a declared file.
  void Stage(const std::string& path, const std::string& text);
  // Moves every staged file into place. Throws InputError (and leaves the
  // targets as they were) when a temporary cannot be written.
  void Commit();

 private:
  struct File {
    std::string path;              // as given
    std::filesystem::path target;  // the file replaced (a link resolved)
    std::string temporary;         // staged text, beside the target
    bool direct = false;           // a device or pipe: written at Commit
    std::string text;              // what a direct output receives
  };
  std::vector<std::string> inputs_;
  std::vector<File> files_;
  std::vector<std::pair<std::string, std::string>> folders_;  // target, staging folder
};

}  // namespace pdrop::cli
