// The text utilities on any text: a cut keeps the longest prefix that does
// not split a valid UTF-8 character; placeholders stay within their limit;
// fields hold no delimiter; the port list comes out sorted and unique.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t width = data[0] % 64;
  const std::string_view input = fuzz::Input(data + 1, size - 1);
  const bool utf8 = fuzz::IsUtf8(input);
  const std::string kept = CutText(input, width);
  fuzz::Check(input.starts_with(kept) && kept.size() <= width);
  fuzz::CheckKeepsUtf8(utf8, kept);
  // Shorter than the width only to leave out a whole character that would not fit.
  if (kept.size() < std::min(width, input.size()))
    fuzz::Check(Utf8CharLength(input.substr(kept.size())) > width - kept.size());
  char copy[64 + 1];
  CopyText(copy, std::string(input).c_str(), width);
  fuzz::Check(copy == CutText(input.substr(0, input.find('\0')), width));
  const std::string_view value = input.substr(input.size() / 2);
  const std::string expanded = ReplacePlaceholder(input, '@', value, width);
  fuzz::Check(expanded.size() <= width);
  fuzz::CheckKeepsUtf8(utf8 && fuzz::IsUtf8(value), expanded);
  for (const auto& piece : SplitFields(input, ",="))
    fuzz::Check(!piece.empty() && piece.find_first_of(",=") == std::string::npos);
  std::vector<std::string> ports = SplitFields(input, ",");
  NormaliseComList(ports);
  for (std::size_t i = 1; i < ports.size(); ++i) fuzz::Check(ReadInteger(ports[i - 1].substr(3)) < ReadInteger(ports[i].substr(3)));
  fuzz::Check(Trim(input).size() <= input.size() && FormatKhz(width * 1000003LL, width).size() <= width);
  (void)ReadInteger(input);
  (void)IsCallsign(input);
  (void)ParseUsDateTime(input);
  return 0;
}
