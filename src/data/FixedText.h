#pragma once
// A text field of fixed width: holds at most N characters and is always
// terminated. Every assignment and append cuts at N, so a FixedText member
// can never overflow, and its width shows where it is declared.
//
// Widths count bytes. Texts are UTF-8, so a cut never splits a character:
// a multi-byte character that does not fit whole is left out.

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

/// How much of text fits in width bytes without splitting a UTF-8
/// character: width, or less when the cut would fall inside a character.
inline std::size_t CutLength(std::string_view text, std::size_t width) {
  if (text.size() <= width) return text.size();
  std::size_t n = width;
  // Back over at most three continuation bytes to the character's start.
  for (int i = 0; i < 3 && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80; ++i) --n;
  if ((static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) n = width;  // not UTF-8: cut as bytes
  return n;
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
