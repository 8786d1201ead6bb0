// A global operator new that counts the allocations made while counting is
// on. Link CountingNew.cpp into a test binary of its own: it replaces the
// operators for the whole binary.
#pragma once

#include <atomic>

namespace pdrop::test {

extern std::atomic<bool> g_counting;
extern std::atomic<long> g_allocations;

// Counts the allocations made during fn().
template <class Fn>
long AllocationsDuring(Fn fn) {
  g_allocations = 0;
  g_counting = true;
  fn();
  g_counting = false;
  return g_allocations.load();
}

}  // namespace pdrop::test
