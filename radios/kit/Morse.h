#pragma once
// Morse timing in dot units (PARIS timing): a dot is 1 unit, a dash 3, the
// gap inside a character 1, between characters 3, between words 7. "PARIS "
// is 50 units, so a dot lasts 1200 / WPM milliseconds.

#include <chrono>
#include <cstdint>
#include <string_view>

namespace radiokit {

/// The dots and dashes of a character (any case), or nullptr when Morse has
/// no sign for it (such characters are skipped when keying).
const char* MorseCode(char c);

/// The length of the text in dot units. A blank is a word gap (7 units in
/// place of the 3 after a character); a trailing blank counts, as in
/// "PARIS ", while the end of the last character ends the text.
std::int64_t MorseUnits(std::string_view text);

/// The time the text takes at the speed (words per minute, at least 1).
std::chrono::microseconds MorseDuration(std::string_view text, int wordsPerMinute);

}  // namespace radiokit
