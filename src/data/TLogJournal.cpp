#include "data/TLogJournal.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"

namespace {

std::uint64_t SizeOf(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? 0 : static_cast<std::uint64_t>(size);
}

// The bytes [from, to) of the file; fewer when it is shorter.
std::string ReadRange(const std::string& path, std::uint64_t from, std::uint64_t to) {
  if (to <= from) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  in.seekg(static_cast<std::streamoff>(from));
  std::string bytes(static_cast<std::size_t>(to - from), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

std::string WithoutCarriageReturn(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

TLogJournal::TLogJournal(std::string logFile, std::string stateFile)
    : m_logFile(std::move(logFile)), m_stateFile(std::move(stateFile)) {
  std::string text;
  if (!platform::ReadFileText(m_stateFile, text)) return;
  const std::vector<std::string> lines = SplitTextLines(text);
  if (lines.empty() || !SameText(lines.back(), kMarker)) return;
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key.ends_with("_LAST"))
      m_positions[key.substr(0, key.size() - 5)].last = value;
    else if (!SameText(line, kMarker))
      m_positions[key].offset = std::strtoull(value.c_str(), nullptr, 10);
  }
}

TLogJournal::Position& TLogJournal::Locate(const std::string& target) {
  const std::uint64_t size = SizeOf(m_logFile);
  auto found = m_positions.find(target);
  if (found == m_positions.end()) {
    // A new target starts after the log's last complete line.
    Position start;
    const std::uint64_t from = size > 4096 ? size - 4096 : 0;
    const std::string tail = ReadRange(m_logFile, from, size);
    const auto end = tail.rfind('\n');
    if (end != std::string::npos) {
      start.offset = from + end + 1;
      const auto begin = end == 0 ? std::string::npos : tail.rfind('\n', end - 1);
      if (begin != std::string::npos || from == 0)
        start.last = WithoutCarriageReturn(tail.substr(begin == std::string::npos ? 0 : begin + 1,
                                                       end - (begin == std::string::npos ? 0 : begin + 1)));
    }
    Position& position = m_positions[target] = start;
    Save();
    return position;
  }
  Position& position = found->second;
  const std::string expected = position.last.empty() ? std::string() : position.last + "\n";
  const bool inPlace =
      position.offset <= size && position.offset >= expected.size() &&
      (expected.empty() ? position.offset == 0 || ReadRange(m_logFile, position.offset - 1, position.offset) == "\n"
                        : ReadRange(m_logFile, position.offset - expected.size(), position.offset) == expected);
  if (inPlace) return position;
  // The log is not what the position was taken in: go on after the last
  // copy of the line last taken, or from the start.
  const std::string log = ReadRange(m_logFile, 0, size);
  std::uint64_t offset = 0;
  if (!expected.empty()) {
    std::size_t at = log.rfind("\n" + expected);
    if (at != std::string::npos)
      offset = at + 1 + expected.size();
    else if (log.compare(0, expected.size(), expected) == 0)
      offset = expected.size();
  }
  position.offset = offset;
  Save();
  return position;
}

std::vector<std::pair<std::string, std::uint64_t>> TLogJournal::LinesAfter(std::uint64_t offset) const {
  std::vector<std::pair<std::string, std::uint64_t>> lines;
  const std::string text = ReadRange(m_logFile, offset, SizeOf(m_logFile));
  std::size_t start = 0;
  // Only complete lines: a line still without its end is not logged yet.
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.emplace_back(WithoutCarriageReturn(text.substr(start, end - start)), offset + end + 1);
  return lines;
}

std::size_t TLogJournal::Feed(const std::string& target, const std::function<bool(const std::string&)>& deliver) {
  Position& position = Locate(target);
  std::size_t taken = 0;
  bool unsaved = false;
  for (auto& [line, next] : LinesAfter(position.offset)) {
    const bool blank = Trim(line).empty();
    if (!blank && deliver && !deliver(line)) break;
    position.offset = next;
    position.last = std::move(line);
    if (blank) {
      unsaved = true;
      continue;
    }
    ++taken;
    unsaved = !deliver;
    // Written after each line a target took: a crash repeats at most this one.
    if (deliver) Save();
  }
  if (unsaved) Save();
  return taken;
}

std::size_t TLogJournal::Waiting(const std::string& target) {
  const Position& position = Locate(target);
  std::size_t waiting = 0;
  for (const auto& [line, next] : LinesAfter(position.offset))
    if (!Trim(line).empty()) ++waiting;
  return waiting;
}

void TLogJournal::Save() {
  std::string text;
  for (const auto& [target, position] : m_positions) {
    text += target + "=" + std::to_string(position.offset) + "\n";
    text += target + "_LAST=" + position.last + "\n";
  }
  text += kMarker;
  m_stateWritten = platform::WriteFileAtomically(m_stateFile, text, &m_stateError);
}
