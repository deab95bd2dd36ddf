#include "data/TextUtils.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>

#include "data/FixedText.h"
#include "platform/DateTime.h"

namespace {
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

void CopyText(char* dest, const char* src, std::size_t n) {
  std::size_t i = 0;
  // A character that starts before n ends at most three bytes past it.
  const std::size_t kept = src ? CutLength(std::string_view(src, strnlen(src, n + 3)), n) : 0;
  for (; i < kept; ++i) dest[i] = src[i];
  for (; i <= n; ++i) dest[i] = '\0';
}

std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(delimiters, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return std::string(text.substr(b, e - b));
}

int ReadInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (auto& c : out) c = FoldCase(c);
  return out;
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
  return UpperCase(haystack).find(UpperCase(needle)) != std::string::npos;
}

bool IsCallsign(std::string_view text) {
  if (text.size() < 3 || text.size() > 10) return false;
  if (text.find('/') == std::string_view::npos && IsAsciiDigit(text.back())) return false;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (IsAsciiLetter(text[i]) && IsAsciiDigit(text[i + 1])) return true;
  return false;
}

std::string ReplaceCharByBlank(std::string_view source, char ch) {
  std::string out(source);
  std::replace(out.begin(), out.end(), ch, ' ');
  return out;
}

std::string ReplacePlaceholder(std::string_view text, char ch, std::string_view value,
                               std::size_t limit) {
  const std::string safe = ReplaceCharByBlank(value, ch);
  const std::vector<std::string> pieces = SplitFields(text, std::string_view(&ch, 1));
  std::string out;
  // The result is a prefix of the whole expansion: once a piece is cut,
  // nothing after it may fill the bytes a dropped character left.
  bool cut = false;
  auto append = [&](std::string_view s) {
    if (cut) return;
    const std::size_t room = limit > out.size() ? limit - out.size() : 0;
    const std::size_t taken = CutLength(s, room);
    out.append(s.substr(0, taken));
    cut = taken < s.size();
  };
  if (pieces.empty()) {
    if (!text.empty()) append(safe);
    return out;
  }
  if (text.front() == ch) append(safe);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) append(safe);
    append(pieces[i]);
  }
  if (text.back() == ch) append(safe);
  return out;
}

void NormaliseComList(std::vector<std::string>& list) {
  bool present[255] = {};
  for (int k = 0; k < 255; ++k) {
    const std::string name = "COM" + std::to_string(k);
    present[k] = std::any_of(list.begin(), list.end(),
                             [&](const std::string& s) { return SameText(s, name); });
  }
  list.clear();
  for (int k = 0; k < 255; ++k)
    if (present[k]) list.push_back("COM" + std::to_string(k));
}

std::string FormatKhz(std::int64_t hz, std::size_t length) {
  return CutText(std::to_string(hz / 1000), length);
}

double UtcNow() {
  const double now = platform::UtcClock();
  const std::string text =
      platform::FormatDateTime("mm'/'dd'/'yyyy", now) + " " + platform::FormatDateTime("hh':'nn':'ss", now);
  return ParseUsDateTime(text);
}

double ParseUsDateTime(std::string_view text) {
  // mm/dd/yyyy, then optionally hh:mm[:ss]
  int fields[6] = {0, 0, 0, 0, 0, 0};
  int count = 0;
  std::size_t i = 0;
  auto skipBlanks = [&] { while (i < text.size() && text[i] == ' ') ++i; };
  auto readNumber = [&](int& out) {
    std::size_t start = i;
    long v = 0;
    while (i < text.size() && IsAsciiDigit(text[i]) && i - start < 5) v = v * 10 + (text[i++] - '0');
    out = static_cast<int>(v);
    return i > start;
  };
  skipBlanks();
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (i >= text.size() || text[i] != '/') return 0;
      ++i;
    }
    if (!readNumber(fields[k])) return 0;
    ++count;
  }
  skipBlanks();
  for (int k = 3; k < 6 && i < text.size(); ++k) {
    if (k > 3) {
      if (text[i] != ':') return 0;
      ++i;
    }
    if (!readNumber(fields[k])) return 0;
    ++count;
  }
  skipBlanks();
  if (i != text.size() || count == 4) return 0;
  int year = fields[2] < 100 ? fields[2] + 2000 : fields[2];
  if (!platform::IsValidDateTime(year, fields[0], fields[1], fields[3], fields[4], fields[5])) return 0;
  return platform::EncodeDateTime(year, fields[0], fields[1], fields[3], fields[4], fields[5]);
}

double FileDateTime(const std::string& path) {
  const double modified = platform::FileModificationTime(path);
  if (modified == 0) return 0;
  platform::DateTimeParts p = platform::DecodeDateTime(modified);
  return platform::EncodeDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second / 2 * 2);
}

std::uint32_t CallHash(std::string_view call) {
  std::uint32_t h = 2166136261u;
  for (char c : call) {
    h ^= static_cast<unsigned char>((c >= 'a' && c <= 'z') ? c - 32 : c);
    h *= 16777619u;
  }
  h ^= h >> 16;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  h *= 0xc2b2ae35u;
  h ^= h >> 16;
  return h;
}
