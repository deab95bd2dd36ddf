#include "CopyOut.h"

#include <algorithm>
#include <cstring>

namespace radiokit {

void CopyOut(std::string_view text, std::int32_t length, char* buffer) {
  if (!buffer || length < 0) return;
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(length));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

std::string ItemAt(const std::vector<std::string>& items, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < items.size() ? items[static_cast<std::size_t>(index)]
                                                                       : std::string();
}

}  // namespace radiokit
