// Many traverses at once: work spread over threads, each task with engines
// and fluid objects of its own, results in input order and identical for
// any thread count.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "pdrop/traverse/Traverse.h"

namespace pdrop {

// Calls task(i) for i in [0, n) on up to `threads` workers (at least one).
// `progress(done, n)`, when given, is called on the calling thread about ten
// times a second and once at the end. A task must not throw.
void ParallelFor(std::size_t n, int threads, const std::function<void(std::size_t)>& task,
                 const std::function<void(std::size_t, std::size_t)>& progress = {});

// RunTraverse of every case. A case that cannot be run (it throws) gives an
// incomplete result whose reason is the message.
std::vector<TraverseResult> RunTraverses(
    const std::vector<TraverseCase>& cases, int threads,
    const std::function<void(std::size_t, std::size_t)>& progress = {});

// A progress bar on standard error, for terminals: "[####....] k/n".
void ProgressBar(std::size_t done, std::size_t total);

}  // namespace pdrop
