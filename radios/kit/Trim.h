#pragma once
// How the libraries' setting files and controls read a field: blanks and
// control characters (bytes up to ' ') around it do not count.

#include <string_view>

namespace radiokit {

/// The text without leading and trailing bytes up to ' '; a view into text.
std::string_view Trim(std::string_view text);

}  // namespace radiokit
