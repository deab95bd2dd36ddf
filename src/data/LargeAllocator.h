#pragma once
// An allocator for the few arrays that grow to tens of megabytes (the
// operator list of a large call-history file and its index). Filling fresh
// memory costs one page fault per 4 KiB page, which dominates loading such
// a file; blocks of 4 MiB and more are therefore aligned to 2 MiB and
// offered to the kernel for transparent huge pages where it has them.
// Smaller blocks come from the ordinary heap.

#include <cstddef>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

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
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (!block) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    ::madvise(block, rounded, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(block);
  }

  void deallocate(T* block, std::size_t n) {
    if (n * sizeof(T) < kLargeBlock) ::operator delete(block);
    else std::free(block);
  }

  template <typename U>
  bool operator==(const LargeAllocator<U>&) const { return true; }

 private:
  static constexpr std::size_t kHugePage = std::size_t(2) << 20;
  static constexpr std::size_t kLargeBlock = std::size_t(4) << 20;
};
