#pragma once
// The few text rules the panel kit reads files and actions by, the same as
// the program's (src/data/TextUtils.h), which a radio library does not link.

#include <string>
#include <string_view>
#include <vector>

namespace radiopanel {

/// Without the bytes up to ' ' at both ends.
std::string Trim(std::string_view text);
std::string UpperCase(std::string_view text);
/// Equal when ASCII letters are folded.
bool SameText(std::string_view a, std::string_view b);
/// The pieces between any of the delimiters; empty pieces dropped.
std::vector<std::string> SplitFields(std::string_view text, std::string_view delimiters);
/// Leading blanks, an optional sign and the digits up to the first other
/// character; 0 without digits. Saturates.
long long ReadInteger(std::string_view text);

}  // namespace radiopanel
