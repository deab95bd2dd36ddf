#include "data/TextFile.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachTextLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

bool ReadTextFile(const std::string& path, std::string& text) {
  text.clear();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  // One read of the whole file where its size is known; then whatever it
  // grew by meanwhile.
  struct stat info {};
  if (::fstat(::fileno(file.get()), &info) == 0 && info.st_size > 0) {
    text.resize(static_cast<std::size_t>(info.st_size));
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  }
  char buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
  return !std::ferror(file.get());
}

bool LoadTextLines(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string text;
  if (!ReadTextFile(path, text)) return false;
  lines = SplitTextLines(text);
  return true;
}
