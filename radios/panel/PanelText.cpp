#include "PanelText.h"

#include <cctype>
#include <limits>

namespace radiopanel {

std::string Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return std::string(text);
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool SameText(std::string_view a, std::string_view b) { return UpperCase(a) == UpperCase(b); }

std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : text) {
    if (delimiters.find(c) != std::string_view::npos) {
      if (!piece.empty()) pieces.push_back(std::move(piece));
      piece.clear();
    } else {
      piece += c;
    }
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

long long ReadInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  constexpr long long kMax = std::numeric_limits<int>::max();
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kMax) value = kMax;
  }
  return negative ? -value : value;
}

}  // namespace radiopanel
