#include "pdrop/traverse/Parallel.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iostream>
#include <string>
#include <system_error>
#include <thread>

namespace pdrop {

void ParallelFor(std::size_t n, int threads, const std::function<void(std::size_t)>& task,
                 const std::function<void(std::size_t, std::size_t)>& progress) {
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  auto work = [&] {
    for (std::size_t i = next++; i < n; i = next++) {
      task(i);
      ++done;
    }
  };
  const std::size_t wanted =
      std::min<std::size_t>(std::max(1, threads), std::max<std::size_t>(n, 1));
  // With a progress report this thread reports and the pool does all the
  // work; without one this thread is one of the workers.
  const std::size_t poolSize = progress ? wanted : wanted - 1;
  std::vector<std::thread> pool;
  for (std::size_t t = 0; t < poolSize; ++t) {
    try {
      pool.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // the workers already started share the tasks
    }
  }
  if (pool.empty() || !progress) work();
  if (progress) {
    while (done < n) {
      progress(done, n);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    progress(n, n);
  }
  for (std::thread& t : pool) t.join();
}

std::vector<TraverseResult> RunTraverses(
    const std::vector<TraverseCase>& cases, int threads,
    const std::function<void(std::size_t, std::size_t)>& progress) {
  std::vector<TraverseResult> results(cases.size());
  ParallelFor(
      cases.size(), threads,
      [&](std::size_t i) {
        try {
          results[i] = RunTraverse(cases[i]);
        } catch (const std::exception& e) {
          results[i] = TraverseResult{};
          results[i].reason = e.what();
        }
      },
      progress);
  return results;
}

void ProgressBar(std::size_t done, std::size_t total) {
  const std::size_t width = 40;
  const std::size_t filled = total == 0 ? width : done * width / total;
  std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, '.') << "] " << done
            << "/" << total << (done == total ? "\n" : "") << std::flush;
}

}  // namespace pdrop
