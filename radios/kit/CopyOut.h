#pragma once
// Answering the program's fill-in buffers (GETMODENAMEATINDEX, GETBAUDRATE,
// GETVFOMEMORYATINDEX, GETMACRONAMEATINDEX ...): the program gives a buffer
// of length + 1 bytes and the number of characters it may hold.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace radiokit {

/// Writes at most length characters of the text and a terminator. Does
/// nothing for a null buffer or a negative length.
void CopyOut(std::string_view text, std::int32_t length, char* buffer);

/// The item at the index, or empty text for an index outside the list.
std::string ItemAt(const std::vector<std::string>& items, std::int32_t index);

}  // namespace radiokit
