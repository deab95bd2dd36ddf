#include "data/TWorkedIndex.h"

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "data/FixedText.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"
#include "platform/TextLines.h"

namespace {

constexpr std::size_t kCallWidth = 30;
constexpr std::size_t kReadPiece = std::size_t(1) << 20;

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string_view TrimView(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

/// The call as the index keys it: trimmed, cut to its field, upper case.
/// Fits the buffer's 30 characters.
std::string_view KeyCall(std::string_view call, std::array<char, 30>& buffer) {
  call = TrimView(call);
  call = call.substr(0, CutLength(call, kCallWidth));
  for (std::size_t i = 0; i < call.size(); ++i) buffer[i] = Fold(call[i]);
  return {buffer.data(), call.size()};
}

void CopyField(std::string_view field, char* dest, std::size_t width, std::uint8_t& length) {
  field = field.substr(0, CutLength(field, width));
  for (std::size_t i = 0; i < field.size(); ++i) dest[i] = field[i];
  length = static_cast<std::uint8_t>(field.size());
}

}  // namespace

void TWorkedIndex::Clear() {
  m_bytes = 0;
  m_lines = 0;
  m_calls.clear();
  m_index.clear();
  m_others.clear();
}

bool TWorkedIndex::Load(const std::string& path) {
  Clear();
  m_path = path;
  return ReadFrom(0);
}

bool TWorkedIndex::Refresh() {
  if (m_path.empty()) return false;
  std::error_code error;
  const auto size = std::filesystem::file_size(m_path, error);
  if (error) return false;
  if (size == m_bytes) return true;
  if (size < m_bytes) return Load(m_path);  // replaced or cut: read it all again
  return ReadFrom(m_bytes);
}

bool TWorkedIndex::ReadFrom(std::uint64_t offset) {
  // Only an ordinary file: a FIFO in the log's place would wait for a writer.
  std::error_code error;
  if (!std::filesystem::is_regular_file(m_path, error)) return false;
  std::ifstream file(m_path, std::ios::binary);
  if (!file) return false;
  file.seekg(static_cast<std::streamoff>(offset));
  if (!file) return false;
  std::string buffer(kReadPiece, '\0');
  std::size_t held = 0;
  const auto take = [this](std::string_view text) { ForEachTextLine(text, [this](std::string_view line) { Add(line); }); };
  for (;;) {
    if (held == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than the piece
    file.read(buffer.data() + held, static_cast<std::streamsize>(buffer.size() - held));
    const auto n = static_cast<std::size_t>(file.gcount());
    if (n == 0) break;
    held += n;
    m_bytes += n;
    // Whole lines only; a CR at the end may be the first half of a CR LF.
    std::size_t end = held;
    if (buffer[end - 1] == '\r') --end;
    while (end > 0 && buffer[end - 1] != '\n' && buffer[end - 1] != '\r') --end;
    if (end == 0) continue;
    take(std::string_view(buffer.data(), end));
    std::memmove(buffer.data(), buffer.data() + end, held - end);
    held -= end;
  }
  if (file.bad()) return false;
  // The last line without a line end counts too (a log edited by hand); the
  // program's next append mends the end first (TContactLog).
  if (held > 0) take(std::string_view(buffer.data(), held));
  return true;
}

std::size_t TWorkedIndex::Probe(std::string_view call, std::uint32_t hash) const {
  const std::size_t mask = m_index.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint64_t slot = m_index[i];
    if (slot == 0) return i;
    if (static_cast<std::uint32_t>(slot >> 32) == hash && Has(m_calls[(slot & 0xffffffffu) - 1], call)) return i;
  }
}

void TWorkedIndex::Grow() {
  std::vector<std::uint64_t> index(m_index.empty() ? 1024 : m_index.size() * 2, 0);
  const std::size_t mask = index.size() - 1;
  for (std::uint64_t slot : m_index) {
    if (slot == 0) continue;
    std::size_t i = (slot >> 32) & mask;
    while (index[i] != 0) i = (i + 1) & mask;
    index[i] = slot;
  }
  m_index.swap(index);
}

std::uint8_t TWorkedIndex::Intern(std::vector<std::string>& names, std::string_view name) {
  if (name.empty()) return 0;
  if (const std::uint8_t number = FindName(names, name)) return number;
  if (names.size() == 255) return 0;
  names.emplace_back(name);
  return static_cast<std::uint8_t>(names.size());
}

std::uint8_t TWorkedIndex::FindName(const std::vector<std::string>& names, std::string_view name) {
  if (name.empty()) return 0;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<std::uint8_t>(i + 1);
  return 0;
}

std::int64_t TWorkedIndex::HzOf(std::string_view freqCell) {
  // Whole kHz, and a fraction after a point (a typed 14025.5).
  freqCell = TrimView(freqCell);
  std::int64_t khz = 0, hz = 0;
  std::size_t i = 0;
  for (; i < freqCell.size() && freqCell[i] >= '0' && freqCell[i] <= '9'; ++i) {
    if (khz > 100000000) return -1;
    khz = khz * 10 + (freqCell[i] - '0');
  }
  if (i == 0) return -1;
  if (i < freqCell.size() && freqCell[i] == '.') {
    int scale = 100;
    for (++i; i < freqCell.size() && freqCell[i] >= '0' && freqCell[i] <= '9' && scale > 0; ++i, scale /= 10)
      hz += (freqCell[i] - '0') * scale;
  }
  return khz * 1000 + hz;
}

std::uint8_t TWorkedIndex::BandOf(std::string_view freqCell) const {
  const std::int64_t hz = HzOf(freqCell);
  if (hz < 0) return 0;
  BandCache& cached = m_bandCache[static_cast<std::size_t>(hz / 1000) % m_bandCache.size()];
  if (cached.hz != hz) {
    std::string name = AdifBandOfFrequency(hz);
    for (char& c : name) c = Fold(c);
    cached = {hz, Intern(m_bands, name)};
  }
  return cached.band;
}

bool TWorkedIndex::WorkedOn(const Call& call, std::uint8_t band, std::uint8_t mode) const {
  if (band == 0 || mode == 0) return false;
  if (band <= 16 && mode <= 4) return (call.worked >> ((band - 1) * 4 + mode - 1)) & 1;
  for (std::uint32_t w = call.others; w != 0; w = m_others[w - 1].next)
    if (m_others[w - 1].band == band && m_others[w - 1].mode == mode) return true;
  return false;
}

void TWorkedIndex::Add(std::string_view line) {
  std::array<std::string_view, kCellStation + 1> fields;
  std::size_t count = 0, start = 0;
  while (count < fields.size()) {
    const std::size_t end = line.find(':', start);
    fields[count++] = TrimView(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  if (count < fields.size()) return;
  std::array<char, kCallWidth> buffer;
  const std::string_view call = KeyCall(fields[kCellStation], buffer);
  if (call.empty()) return;

  if (2 * (m_calls.size() + 1) > m_index.size()) Grow();
  const std::uint32_t hash = CallHash(call);
  std::uint64_t& slot = m_index[Probe(call, hash)];
  if (slot == 0) {
    Call& added = m_calls.emplace_back();
    added.keyLength = static_cast<std::uint8_t>(call.size());
    std::memcpy(added.key, call.data(), call.size());
    slot = (std::uint64_t{hash} << 32) | m_calls.size();
  }
  Call& entry = m_calls[(slot & 0xffffffffu) - 1];
  ++entry.count;
  ++m_lines;

  std::array<char, 5> modeBuffer;
  std::string_view mode = fields[kCellMode].substr(0, CutLength(fields[kCellMode], modeBuffer.size()));
  for (std::size_t i = 0; i < mode.size(); ++i) modeBuffer[i] = Fold(mode[i]);
  mode = {modeBuffer.data(), mode.size()};
  const std::uint8_t modeNumber = Intern(m_modes, mode);
  CopyField(fields[kCellDate], entry.lastDate, sizeof entry.lastDate, entry.lastDateLength);
  CopyField(fields[kCellFreq], entry.lastFreq, sizeof entry.lastFreq, entry.lastFreqLength);
  entry.lastMode = modeNumber;

  const std::uint8_t band = BandOf(fields[kCellFreq]);
  if (band == 0 || modeNumber == 0 || WorkedOn(entry, band, modeNumber)) return;
  if (band <= 16 && modeNumber <= 4) {
    entry.worked |= std::uint64_t{1} << ((band - 1) * 4 + modeNumber - 1);
  } else {
    m_others.push_back({band, modeNumber, entry.others});
    entry.others = static_cast<std::uint32_t>(m_others.size());
  }
}

TWorkedSummary TWorkedIndex::Lookup(std::string_view call, std::string_view freqCell,
                                    std::string_view modeCell) const {
  TWorkedSummary summary;
  if (m_index.empty()) return summary;
  std::array<char, kCallWidth> buffer;
  const std::string_view key = KeyCall(call, buffer);
  if (key.empty()) return summary;
  const std::uint64_t slot = m_index[Probe(key, CallHash(key))];
  if (slot == 0) return summary;
  const Call& entry = m_calls[(slot & 0xffffffffu) - 1];
  summary.count = entry.count;
  summary.lastDate.assign(entry.lastDate, entry.lastDateLength);
  summary.lastFreq.assign(entry.lastFreq, entry.lastFreqLength);
  if (entry.lastMode != 0) summary.lastMode = m_modes[entry.lastMode - 1];

  const std::uint8_t band = BandOf(freqCell);
  if (band != 0) summary.band = m_bands[band - 1];
  modeCell = TrimView(modeCell);
  for (char c : modeCell.substr(0, CutLength(modeCell, 5))) summary.mode += Fold(c);
  summary.dupe = WorkedOn(entry, band, FindName(m_modes, summary.mode));
  return summary;
}

std::string WorkedText(const TWorkedSummary& summary) {
  if (summary.count == 0) return {};
  if (summary.dupe) return "DUPE " + summary.band + " " + summary.mode;
  std::string text = "worked " + std::to_string(summary.count) + "\u00d7 \u2014 last";
  for (const std::string* field : {&summary.lastDate, &summary.lastFreq, &summary.lastMode})
    if (!field->empty()) text += " " + *field;
  return text;
}
