// The files a command writes, as one set: every path is checked before any
// computing starts, nothing is written over a file the command reads, and
// the set is written all or nothing (each file goes to a temporary beside
// its target, and the temporaries replace the targets only once all of them
// are complete).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pdrop::cli {

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
  // directory, or in a folder that does not exist or cannot be written.
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
  std::vector<std::string> inputs_;
  std::vector<std::pair<std::string, std::string>> files_;  // target, temporary
  std::vector<std::pair<std::string, std::string>> folders_;  // target, staging folder
};

}  // namespace pdrop::cli
