#include "data/TOperatorList.h"

#include <array>
#include <filesystem>

#include "data/TextFile.h"
#include "data/TextUtils.h"

namespace {

constexpr std::size_t kCallWidth = 30;

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

bool TOperatorList::LoadNamesFile(const std::string& path) {
  if (path.empty()) return false;
  // A names file line takes at least a dozen characters: room for that many
  // operators spares the copies of a growing list (pages never filled cost
  // nothing). The index grows as operators come.
  std::error_code error;
  const auto bytes = std::filesystem::file_size(path, error);
  if (!error) m_operators.reserve(m_operators.size() + static_cast<std::size_t>(bytes / 12) + 1);
  return ForEachFileLine(path, [this](std::string_view line) { ApplyNamesLine(line); });
}

void TOperatorList::ApplyNamesLine(std::string_view line) {
  std::array<std::string_view, 4> pieces;
  std::size_t count = 0;
  std::size_t start = 0;
  while (count < pieces.size() && start < line.size()) {
    std::size_t end = line.find(',', start);
    if (end == std::string_view::npos) end = line.size();
    if (end > start) pieces[count++] = line.substr(start, end - start);
    start = end + 1;
  }
  if (count == 4) AddOrUpdate(pieces[0], pieces[1], pieces[2], TrimView(pieces[3]));
  else if (count == 2) AddOrUpdate(pieces[0], TrimView(pieces[1]), " ", " ");
}

std::size_t TOperatorList::Probe(std::string_view call, std::uint32_t hash) const {
  const std::size_t mask = m_index.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = m_index[i];
    if (slot.position == 0) return i;
    if (slot.hash == hash && m_operators[slot.position - 1].HasCall(call)) return i;
  }
}

void TOperatorList::Reserve(std::size_t operators) {
  std::size_t size = m_index.empty() ? 64 : m_index.size();
  while (size < 2 * operators) size *= 2;
  if (size == m_index.size()) return;
  std::vector<Slot, LargeAllocator<Slot>> old(size);
  old.swap(m_index);
  const std::size_t mask = size - 1;
  for (const Slot& slot : old) {
    if (slot.position == 0) continue;
    std::size_t i = slot.hash & mask;
    while (m_index[i].position != 0) i = (i + 1) & mask;
    m_index[i] = slot;
  }
}

void TOperatorList::AddOrUpdate(std::string_view call, std::string_view name,
                                std::string_view number, std::string_view club) {
  // The list keeps the call as wide as its field, so the cut call is the
  // operator's identity: a longer spelling of it updates the same operator.
  call = call.substr(0, CutLength(call, kCallWidth));
  Reserve(m_operators.size() + 1);
  const std::uint32_t hash = CallHash(call);
  Slot& slot = m_index[Probe(call, hash)];
  if (slot.position != 0) {
    m_operators[slot.position - 1].Update(name, number, club);
    return;
  }
  m_operators.emplace_back(call, name, number, club);
  slot = {hash, static_cast<std::uint32_t>(m_operators.size())};
}

const TOperator* TOperatorList::Find(std::string_view call) const {
  if (call.size() > kCallWidth || m_index.empty()) return nullptr;
  const Slot& slot = m_index[Probe(call, CallHash(call))];
  return slot.position == 0 ? nullptr : &m_operators[slot.position - 1];
}

std::string TOperatorList::Lookup(std::string_view call, std::size_t length, bool showFoc,
                                  bool showCwop) const {
  const TOperator* op = Find(call);
  if (!op) return std::string("N/A,N/A").substr(0, length);
  return op->GetNameAndClubs(length, showFoc, showCwop);
}

void TOperatorList::clear() {
  m_operators.clear();
  m_index.clear();
}
