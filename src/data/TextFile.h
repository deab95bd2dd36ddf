#pragma once
// Reading the program's text files as lines, the way every reader of the
// system sees them: a line ends at LF, CR LF or a lone CR, and the line end
// after the last line does not make an empty line of its own (a file
// "A\n" has one line, "A\n\n" two, the second empty).

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/TextLines.h"

/// The lines of a text.
std::vector<std::string> SplitTextLines(std::string_view text);

/// Reads the whole file; false when it cannot be opened or read.
bool ReadTextFile(const std::string& path, std::string& text);

/// Reads the file as lines; false (lines empty) when it cannot be read.
bool LoadTextLines(const std::string& path, std::vector<std::string>& lines);

/// Reads the file piece by piece and calls visit(line) for each line, so
/// that a large file never sits in memory whole; false when it cannot be
/// opened or read.
template <typename Visit>
bool ForEachFileLine(const std::string& path, Visit&& visit);


namespace textfile_detail {
/// Reads the file in pieces; calls take(context, text) with text that
/// holds whole lines only, and at the end with the rest of the file.
bool ReadInPieces(const std::string& path, void (*take)(void*, std::string_view), void* context);
}  // namespace textfile_detail

template <typename Visit>
bool ForEachFileLine(const std::string& path, Visit&& visit) {
  auto take = [](void* context, std::string_view text) {
    ForEachTextLine(text, *static_cast<std::remove_reference_t<Visit>*>(context));
  };
  return textfile_detail::ReadInPieces(path, take, &visit);
}
