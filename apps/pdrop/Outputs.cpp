#include "Outputs.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "CaseFile.h"

namespace pdrop::cli {
namespace fs = std::filesystem;

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

fs::path FolderOf(const std::string& path) {
  const fs::path parent = fs::path(path).parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

void RequireWritableFolder(const std::string& option, const std::string& shown,
                           const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    throw InputError(option + " " + shown + ": the folder " + folder.string() +
                     " does not exist");
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw InputError(option + " " + shown + ": the folder " + folder.string() +
                     " cannot be written");
  }
}

}  // namespace

OutputSet::OutputSet(std::vector<std::string> inputs) : inputs_(std::move(inputs)) {}

OutputSet::~OutputSet() {
  std::error_code ec;
  for (const auto& f : files_) fs::remove(f.second, ec);
  for (const auto& d : folders_) fs::remove_all(d.second, ec);
}

void OutputSet::ExpectFile(const std::string& option, const std::string& path) {
  if (path.empty()) return;
  for (const std::string& input : inputs_) {
    if (SameFile(path, input)) {
      throw InputError(option + " " + path + ": this is an input of the command; it is never "
                       "written over (choose another file)");
    }
  }
  for (const auto& f : files_) {
    if (SameFile(path, f.first)) throw InputError(option + " " + path + ": named twice");
  }
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw InputError(option + " " + path + ": is a directory");
  RequireWritableFolder(option, path, FolderOf(path));
  files_.emplace_back(path, std::string());
}

std::string OutputSet::ExpectFolder(const std::string& option, const std::string& folder) {
  RequireWritableFolder(option, folder, folder);
  std::string pattern = (fs::path(folder) / ".pdrop-staging-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw InputError(option + " " + folder + ": cannot be written");
  }
  folders_.emplace_back(folder, pattern);
  return pattern;
}

void OutputSet::Stage(const std::string& path, const std::string& text) {
  for (auto& f : files_) {
    if (f.first != path) continue;
    const std::string temporary = path + ".partial";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(temporary, ec);
      throw InputError(path + ": cannot be written");
    }
    f.second = temporary;
    return;
  }
}

void OutputSet::Commit() {
  std::error_code ec;
  for (const auto& d : folders_) {
    for (const fs::directory_entry& e : fs::directory_iterator(d.second, ec)) {
      fs::rename(e.path(), fs::path(d.first) / e.path().filename(), ec);
      if (ec) throw InputError(d.first + ": cannot be written (" + ec.message() + ")");
    }
  }
  for (const auto& f : files_) {
    if (f.second.empty()) continue;
    fs::rename(f.second, f.first, ec);
    if (ec) throw InputError(f.first + ": cannot be written (" + ec.message() + ")");
  }
  for (const auto& d : folders_) fs::remove_all(d.second, ec);
  files_.clear();
  folders_.clear();
}

}  // namespace pdrop::cli
