#include "radio/TVFOMemory.h"

#include <charconv>

#include "data/TextUtils.h"

namespace {

// The whole piece must be a 32-bit decimal number (blanks around it allowed);
// anything else reads as 0.
std::int32_t ReadValue(std::string_view piece) {
  std::string text = Trim(piece);
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  std::int32_t value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end) return 0;
  return value;
}

}  // namespace

TVFOMemory TVFOMemory::FromText(std::string_view text) {
  std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return TVFOMemory(text, 0);
  std::string_view rest = text.substr(comma + 1);
  return TVFOMemory(text.substr(0, comma), ReadValue(rest.substr(0, rest.find(','))));
}

std::string TVFOMemory::ToText(std::size_t length) const {
  return CutText(m_name.str() + "," + std::to_string(m_value), length);
}
