#pragma once
// The text conventions every file reader of the system follows: bounded
// copies, field splitting, trimming, integer reading, call signs,
// placeholders, COM port lists and dates.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Copies at most n characters of src into dest, pads the rest of the first
/// n with terminators and puts a terminator at dest[n] (room for n + 1).
void CopyText(char* dest, const char* src, std::size_t n);

/// The pieces between any of the delimiter characters; empty pieces dropped.
std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters);

/// Removes every character at or below the blank from both ends.
std::string Trim(std::string_view text);

/// Leading blanks skipped, optional sign, digits up to the first non-digit;
/// 0 without leading digits. Saturates instead of overflowing.
int ReadInteger(std::string_view text);

/// Compares folding ASCII letters only.
bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);
bool ContainsText(std::string_view haystack, std::string_view needle);  // case-insensitive

/// 3 to 10 characters; no trailing digit unless there is a "/"; somewhere a
/// letter followed by a digit.
bool IsCallsign(std::string_view text);

std::string ReplaceCharByBlank(std::string_view source, char ch);

/// Replaces each run of the placeholder character by the value (in which the
/// character is turned into a blank). The result holds at most limit characters.
std::string ReplacePlaceholder(std::string_view text, char ch, std::string_view value,
                               std::size_t limit);

/// Keeps the names COM0 to COM254 present in the list (any case), once each,
/// as "COM" + number in ascending order; drops everything else.
void NormaliseComList(std::vector<std::string>& list);

/// The frequency in kHz, remainder dropped, cut to length characters.
std::string FormatKhz(std::int64_t hz, std::size_t length);

/// The current UTC date-time in whole seconds (days since 1899-12-30).
double UtcNow();

/// Reads "mm/dd/yyyy hh:mm:ss" (time optional); 0 when the text is not a date.
double ParseUsDateTime(std::string_view text);

/// The file's last-write time at the two-second resolution of packed file
/// dates, or 0 when it cannot be opened for reading.
double FileDateTime(const std::string& path);

/// A hash of a call sign that ignores the case of its letters: FNV-1a over
/// the upper-case text, with a final mix so that calls differing in one
/// letter spread over a whole index.
std::uint32_t CallHash(std::string_view call);
