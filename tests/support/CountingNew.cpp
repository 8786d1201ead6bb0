#include "CountingNew.h"

#include <cstdlib>
#include <new>

namespace pdrop::test {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace pdrop::test

void* operator new(std::size_t size) {
  if (pdrop::test::g_counting) ++pdrop::test::g_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
