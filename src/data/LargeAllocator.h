#pragma once
// An allocator for the few arrays that grow to tens of megabytes (the
// operator list of a large call-history file and its index): blocks of
// 4 MiB and more come from platform::AllocateLarge (huge pages where the
// system has them), smaller blocks from the ordinary heap.

#include <cstddef>
#include <new>

#include "platform/LargeMemory.h"

template <typename T>
class LargeAllocator {
 public:
  using value_type = T;

  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}  // NOLINT: converting, as allocators are

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) return static_cast<T*>(::operator new(bytes));
    return static_cast<T*>(platform::AllocateLarge(bytes));
  }

  void deallocate(T* block, std::size_t n) {
    if (n * sizeof(T) < kLargeBlock) ::operator delete(block);
    else platform::FreeLarge(block);
  }

  template <typename U>
  bool operator==(const LargeAllocator<U>&) const { return true; }

 private:
  static constexpr std::size_t kLargeBlock = std::size_t(4) << 20;
};
