#include "Outputs.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

#include "pdrop/case/CaseFile.h"

namespace pdrop::cli {
namespace fs = std::filesystem;

namespace {

// Everything staged and not yet in place, process-wide, so that an interrupt
// can take it away.
std::mutex gStagedMutex;
std::set<std::string> gStaged;
// Called instead of removing and exiting, when a command has set it.
std::function<void()> gStopOnInterrupt;

void Register(const std::string& path) {
  const std::lock_guard<std::mutex> lock(gStagedMutex);
  gStaged.insert(path);
}

void Unregister(const std::string& path) {
  const std::lock_guard<std::mutex> lock(gStagedMutex);
  gStaged.erase(path);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

fs::path FolderOf(const fs::path& path) {
  const fs::path parent = path.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

void RequireWritableFolder(const std::string& option, const std::string& shown,
                           const fs::path& folder) {
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  if (!fs::exists(status)) {
    throw InputError(option + " " + shown + ": the folder " + folder.string() + " does not exist");
  }
  if (!fs::is_directory(status)) {
    throw InputError(option + " " + shown + ": " + folder.string() + " is not a folder");
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw InputError(option + " " + shown + ": the folder " + folder.string() +
                     " cannot be written");
  }
}

}  // namespace

void StopOnInterrupt(std::function<void()> stop) {
  const std::lock_guard<std::mutex> lock(gStagedMutex);
  gStopOnInterrupt = std::move(stop);
}

void RemoveStagedOnInterrupt() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  // Blocked here and in every thread started later; one thread waits for
  // them and cleans up outside any signal handler.
  if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return;
  std::thread([signals] {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0) return;
    std::function<void()> stop;
    {
      const std::lock_guard<std::mutex> lock(gStagedMutex);
      stop = gStopOnInterrupt;
    }
    if (stop) {
      // A long-running command (the server) ends on its own.
      stop();
      return;
    }
    {
      const std::lock_guard<std::mutex> lock(gStagedMutex);
      std::error_code ec;
      for (const std::string& path : gStaged) fs::remove_all(path, ec);
    }
    std::_Exit(128 + signal);
  }).detach();
}

OutputSet::OutputSet(std::vector<std::string> inputs) : inputs_(std::move(inputs)) {}

OutputSet::~OutputSet() {
  std::error_code ec;
  for (const File& f : files_) {
    if (f.temporary.empty()) continue;
    fs::remove(f.temporary, ec);
    Unregister(f.temporary);
  }
  for (const auto& d : folders_) {
    fs::remove_all(d.second, ec);
    Unregister(d.second);
  }
}

void OutputSet::ExpectFile(const std::string& option, const std::string& path) {
  if (path.empty()) return;
  for (const std::string& input : inputs_) {
    if (SameFile(path, input)) {
      throw InputError(option + " " + path +
                       ": this is an input of the command; it is never "
                       "written over (choose another file)");
    }
  }
  for (const File& f : files_) {
    if (SameFile(path, f.path)) throw InputError(option + " " + path + ": named twice");
  }
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);  // through a link
  if (fs::is_directory(status)) throw InputError(option + " " + path + ": is a directory");
  File file;
  file.path = path;
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or a pipe (/dev/null, /dev/stdout, a FIFO) is written into,
    // never replaced.
    file.direct = true;
  } else {
    // A link is kept: the file it points to is replaced.
    file.target = fs::exists(status) ? fs::canonical(path, ec) : fs::path(path);
    if (ec) file.target = path;
    RequireWritableFolder(option, path, FolderOf(file.target));
  }
  files_.push_back(file);
}

std::string OutputSet::ExpectFolder(const std::string& option, const std::string& folder) {
  RequireWritableFolder(option, folder, folder);
  std::string pattern = (fs::path(folder) / ".pdrop-staging-XXXXXX").string();
  {
    // Registered before it exists, so that an interrupt never misses it.
    const std::lock_guard<std::mutex> lock(gStagedMutex);
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw InputError(option + " " + folder + ": cannot be written");
    }
    gStaged.insert(pattern);
  }
  folders_.emplace_back(folder, pattern);
  return pattern;
}

void OutputSet::Stage(const std::string& path, const std::string& text) {
  for (File& f : files_) {
    if (f.path != path) continue;
    if (f.direct) {
      f.text = text;
      return;
    }
    const std::string temporary = f.target.string() + ".partial";
    Register(temporary);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ec;
      fs::remove(temporary, ec);
      Unregister(temporary);
      throw InputError(path + ": cannot be written");
    }
    out.close();
    // The replacement keeps the permissions of the file it replaces.
    std::error_code ec;
    const fs::file_status old = fs::status(f.target, ec);
    if (fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), ec);
    f.temporary = temporary;
    return;
  }
}

void OutputSet::Commit() {
  const std::lock_guard<std::mutex> lock(gStagedMutex);
  std::error_code ec;
  for (const auto& d : folders_) {
    for (const fs::directory_entry& e : fs::directory_iterator(d.second, ec)) {
      fs::rename(e.path(), fs::path(d.first) / e.path().filename(), ec);
      if (ec) throw InputError(d.first + ": cannot be written (" + ec.message() + ")");
    }
  }
  for (File& f : files_) {
    if (f.direct) {
      std::ofstream out(f.path, std::ios::binary);
      out << f.text;
      out.flush();
      if (!out) throw InputError(f.path + ": cannot be written");
      continue;
    }
    if (f.temporary.empty()) continue;
    fs::rename(f.temporary, f.target, ec);
    if (ec) throw InputError(f.path + ": cannot be written (" + ec.message() + ")");
    gStaged.erase(f.temporary);
    f.temporary.clear();
  }
  for (const auto& d : folders_) {
    fs::remove_all(d.second, ec);
    gStaged.erase(d.second);
  }
  files_.clear();
  folders_.clear();
}

}  // namespace pdrop::cli
