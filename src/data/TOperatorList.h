#pragma once
// The operators of the names file, in order of first appearance, one per
// call (case aside). Calls are found through a hash index on the upper-case
// call, so loading and looking up stay fast with call-history files of
// hundreds of thousands of lines.
//
// Names file: one "call,name" or "call,name,number,club" line per entry,
// split at commas with empty pieces dropped (only the first four pieces
// count); a line of any other shape is skipped. A later line for a known
// call replaces the name and sets the club number it names.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/LargeAllocator.h"
#include "data/TOperator.h"

class TOperatorList {
 public:
  /// Reads the names file into the list (not emptied first); false when the
  /// path is empty or the file cannot be read.
  bool LoadNamesFile(const std::string& path);
  /// Applies one line of the names file.
  void ApplyNamesLine(std::string_view line);

  /// Updates the operator with that call, or appends a new one.
  void AddOrUpdate(std::string_view call, std::string_view name, std::string_view number,
                   std::string_view club);

  /// The operator with that call (case aside), or nullptr.
  const TOperator* Find(std::string_view call) const;

  /// The name and club text of the call ("N/A,N/A" when unknown), cut to length.
  std::string Lookup(std::string_view call, std::size_t length, bool showFoc,
                     bool showCwop) const;

  using Storage = std::vector<TOperator, LargeAllocator<TOperator>>;
  const Storage& Operators() const { return m_operators; }
  std::size_t size() const { return m_operators.size(); }
  void clear();

 private:
  /// One place of the index: the call's hash and its position + 1 (0: free).
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t position = 0;
  };
  /// The index place holding the call, or the free place where it belongs.
  std::size_t Probe(std::string_view call, std::uint32_t hash) const;
  /// Makes room in the index for this many operators.
  void Reserve(std::size_t operators);

  Storage m_operators;
  // Open addressing with linear probing on the upper-case call; a power of
  // two in size, never more than half full.
  std::vector<Slot, LargeAllocator<Slot>> m_index;
};
