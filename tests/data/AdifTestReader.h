#pragma once
// A small ADIF (.adi) reader for the tests: what any ADIF program would read
// from a log file. Data lengths are honoured, so a value may hold any
// character; a field whose length runs past the file fails the read.

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct AdifFile {
  std::string preamble;  // the header's free text, before its first field
  std::map<std::string, std::string> header;
  std::vector<std::map<std::string, std::string>> records;
  int headerEnds = 0;  // how many <EOH> were seen
};

inline std::optional<AdifFile> ReadAdif(const std::string& text) {
  AdifFile file;
  std::size_t i = 0;
  const bool hasHeader = !text.empty() && text[0] != '<';
  if (hasHeader) {
    i = text.find('<');
    file.preamble = text.substr(0, i == std::string::npos ? text.size() : i);
  }
  std::map<std::string, std::string> fields;
  bool inHeader = hasHeader;
  while (i != std::string::npos && i < text.size()) {
    if (text[i] != '<') {
      ++i;
      continue;
    }
    const std::size_t close = text.find('>', i);
    if (close == std::string::npos) return std::nullopt;
    std::string tag = text.substr(i + 1, close - i - 1);
    for (auto& c : tag) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    i = close + 1;
    if (tag == "EOH") {
      if (!inHeader) return std::nullopt;
      file.header = fields;
      fields.clear();
      inHeader = false;
      ++file.headerEnds;
      continue;
    }
    if (tag == "EOR") {
      if (inHeader) return std::nullopt;
      file.records.push_back(fields);
      fields.clear();
      continue;
    }
    const std::size_t colon = tag.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string name = tag.substr(0, colon);
    std::string lengthText = tag.substr(colon + 1);
    lengthText = lengthText.substr(0, lengthText.find(':'));  // an optional type follows
    if (lengthText.empty() || lengthText.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    const std::size_t length = std::stoul(lengthText);
    if (i + length > text.size()) return std::nullopt;
    if (fields.count(name)) return std::nullopt;  // a field twice in one record
    fields[name] = text.substr(i, length);
    i += length;
  }
  if (!fields.empty() || inHeader) return std::nullopt;  // an unfinished record
  return file;
}
