#pragma once
// A text field of fixed width: holds at most N characters and is always
// terminated. Every assignment and append cuts at N, so a FixedText member
// can never overflow, and its width shows where it is declared.
//
// Widths count bytes. Every text cut to a width in the program goes through
// CutLength (or CutText): valid UTF-8 is never split inside a character, and
// bytes that are not valid UTF-8 (a Latin-1 file) are cut as bytes.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

/// The length of the valid UTF-8 character at the start of text (1 to 4),
/// or 0 when it does not start with one (a stray continuation byte, a bad
/// lead byte, a short, overlong or surrogate sequence, beyond U+10FFFF).
inline std::size_t Utf8CharLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) n = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < n || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i)
    if ((at(i) & 0xC0) != 0x80) return 0;
  return n;
}

/// How much of text fits in width bytes: width, or less when the bytes
/// before the cut start a valid UTF-8 character that the cut would split.
/// Anything else is cut as bytes, so a Latin-1 text loses nothing that fits.
inline std::size_t CutLength(std::string_view text, std::size_t width) {
  if (text.size() <= width) return text.size();
  for (std::size_t back = 1; back <= 3 && back <= width; ++back) {
    const auto c = static_cast<unsigned char>(text[width - back]);
    if ((c & 0xC0) == 0x80) continue;  // may be inside a character: look further back
    return Utf8CharLength(text.substr(width - back)) > back ? width - back : width;
  }
  return width;
}

/// The text cut to width bytes by the rule of CutLength.
inline std::string CutText(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, CutLength(text, width)));
}

template <std::size_t N>
class FixedText {
 public:
  FixedText() { m_data[0] = '\0'; }
  FixedText(std::string_view text) { Assign(text); }  // NOLINT: implicit by design
  FixedText(const char* text) { Assign(text ? std::string_view(text) : std::string_view()); }

  FixedText& operator=(std::string_view text) { Assign(text); return *this; }
  FixedText& operator=(const char* text) { Assign(text ? std::string_view(text) : std::string_view()); return *this; }
  FixedText& operator=(const std::string& text) { Assign(text); return *this; }
  FixedText& operator+=(std::string_view text) { Append(text); return *this; }

  void Assign(std::string_view text) {
    m_size = CutLength(text, N);
    if (m_size > 0) std::memmove(m_data, text.data(), m_size);
    m_data[m_size] = '\0';
  }
  void Append(std::string_view text) {
    const std::size_t n = CutLength(text, N - m_size);
    if (n > 0) std::memmove(m_data + m_size, text.data(), n);
    m_size += n;
    m_data[m_size] = '\0';
  }
  void Clear() { m_size = 0; m_data[0] = '\0'; }

  const char* c_str() const { return m_data; }
  std::string str() const { return std::string(m_data, m_size); }
  std::string_view view() const { return std::string_view(m_data, m_size); }
  operator std::string_view() const { return view(); }  // NOLINT
  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  static constexpr std::size_t Width() { return N; }

  bool operator==(std::string_view other) const { return view() == other; }

 private:
  char m_data[N + 1];
  std::size_t m_size = 0;
};
