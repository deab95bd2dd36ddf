#include "Morse.h"

#include <cctype>

namespace radiokit {

const char* MorseCode(char c) {
  switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'A': return ".-";
    case 'B': return "-...";
    case 'C': return "-.-.";
    case 'D': return "-..";
    case 'E': return ".";
    case 'F': return "..-.";
    case 'G': return "--.";
    case 'H': return "....";
    case 'I': return "..";
    case 'J': return ".---";
    case 'K': return "-.-";
    case 'L': return ".-..";
    case 'M': return "--";
    case 'N': return "-.";
    case 'O': return "---";
    case 'P': return ".--.";
    case 'Q': return "--.-";
    case 'R': return ".-.";
    case 'S': return "...";
    case 'T': return "-";
    case 'U': return "..-";
    case 'V': return "...-";
    case 'W': return ".--";
    case 'X': return "-..-";
    case 'Y': return "-.--";
    case 'Z': return "--..";
    case '0': return "-----";
    case '1': return ".----";
    case '2': return "..---";
    case '3': return "...--";
    case '4': return "....-";
    case '5': return ".....";
    case '6': return "-....";
    case '7': return "--...";
    case '8': return "---..";
    case '9': return "----.";
    case '.': return ".-.-.-";
    case ',': return "--..--";
    case '?': return "..--..";
    case '/': return "-..-.";
    case '=': return "-...-";
    case '+': return ".-.-.";
    case '-': return "-....-";
    case '(': return "-.--.";
    case ')': return "-.--.-";
    case '\'': return ".----.";
    case '"': return ".-..-.";
    case ':': return "---...";
    case ';': return "-.-.-.";
    case '@': return ".--.-.";
    case '!': return "-.-.--";
    case '&': return ".-...";
    default: return nullptr;
  }
}

std::int64_t MorseUnits(std::string_view text) {
  constexpr std::int64_t kLetterGap = 3;
  constexpr std::int64_t kWordGap = 7;
  std::int64_t units = 0;
  std::int64_t gap = 0;  // owed before the next character
  for (char c : text) {
    if (c == ' ') {
      gap = gap == kLetterGap ? kWordGap : gap + kWordGap;
      continue;
    }
    const char* code = MorseCode(c);
    if (!code) continue;
    units += gap;
    for (const char* e = code; *e; ++e) {
      if (e != code) units += 1;
      units += *e == '-' ? 3 : 1;
    }
    gap = kLetterGap;
  }
  // The gap after the last character belongs to the text only when blanks made it.
  if (gap != kLetterGap) units += gap;
  return units;
}

std::chrono::microseconds MorseDuration(std::string_view text, int wordsPerMinute) {
  if (wordsPerMinute < 1) wordsPerMinute = 1;
  return std::chrono::microseconds(MorseUnits(text) * 1200000 / wordsPerMinute);
}

}  // namespace radiokit
