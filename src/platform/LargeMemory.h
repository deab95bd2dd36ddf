#pragma once
// Memory for the few arrays that grow to tens of megabytes (the operator
// list of a large call-history file and its index). Filling fresh memory
// costs one page fault per page, which dominates loading such a file; a
// large block is therefore aligned for huge pages and offered to the system
// for them where it has them.

#include <cstddef>

namespace platform {

/// The alignment and rounding of every large block.
constexpr std::size_t kLargeBlockAlignment = std::size_t(2) << 20;

/// A block of at least bytes, aligned to kLargeBlockAlignment; throws
/// std::bad_alloc when there is none. Free it with FreeLarge.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* block);

}  // namespace platform
