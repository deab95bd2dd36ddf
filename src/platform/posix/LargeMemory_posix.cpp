#include "platform/LargeMemory.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace platform {

void* AllocateLarge(std::size_t bytes) {
  const std::size_t rounded = (bytes + kLargeBlockAlignment - 1) / kLargeBlockAlignment * kLargeBlockAlignment;
  void* block = std::aligned_alloc(kLargeBlockAlignment, rounded);
  if (!block) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  ::madvise(block, rounded, MADV_HUGEPAGE);  // advice only: a refusal changes nothing
#endif
  return block;
}

void FreeLarge(void* block) { std::free(block); }

}  // namespace platform
