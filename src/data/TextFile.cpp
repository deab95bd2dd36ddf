#include "data/TextFile.h"

#include <cstring>

#include "platform/Files.h"

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachTextLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

bool ReadTextFile(const std::string& path, std::string& text) { return platform::ReadFileText(path, text); }

bool LoadTextLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  if (!ReadTextFile(path, text)) return false;
  lines = SplitTextLines(text);
  return true;
}

bool textfile_detail::ReadInPieces(const std::string& path,
                                   void (*take)(void*, std::string_view), void* context) {
  const platform::FileHandle file = platform::OpenFileForReading(path);
  if (!file.Valid()) return false;
  std::string buffer(std::size_t(1) << 20, '\0');
  std::size_t held = 0;
  for (;;) {
    if (held == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than the buffer
    const long n = platform::ReadFromFile(file, buffer.data() + held, buffer.size() - held);
    if (n < 0) return false;
    if (n == 0) break;
    held += static_cast<std::size_t>(n);
    // Hand over the text up to the last line end held, except that a CR as
    // the last character may be the first half of a CR LF: its line waits.
    std::size_t end = held;
    if (buffer[end - 1] == '\r') --end;
    while (end > 0 && buffer[end - 1] != '\n' && buffer[end - 1] != '\r') --end;
    if (end == 0) continue;
    take(context, std::string_view(buffer.data(), end));
    std::memmove(buffer.data(), buffer.data() + end, held - end);
    held -= end;
  }
  if (held > 0) take(context, std::string_view(buffer.data(), held));
  return true;
}
