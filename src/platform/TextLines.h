#pragma once
// How every reader of the program splits a text into lines: a line ends at
// LF, CR LF or a lone CR, and the line end after the last line does not make
// an empty line of its own ("A\n" is one line, "A\n\n" two, the second
// empty). It lives here so that the platform layer's own readers (the port
// table) read lines the same way as data/TextFile.h.

#include <cstddef>
#include <string_view>

/// Calls visit(line) for each line of the text, without copying.
template <typename Visit>
void ForEachTextLine(std::string_view text, Visit&& visit) {
  const std::size_t size = text.size();
  std::size_t start = 0;
  while (start < size) {
    std::size_t end = start;
    while (end < size && text[end] != '\n' && text[end] != '\r') ++end;
    visit(text.substr(start, end - start));
    if (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}
