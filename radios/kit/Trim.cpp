#include "Trim.h"

namespace radiokit {
namespace {

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string_view Trim(std::string_view text) {
  while (!text.empty() && Blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && Blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace radiokit
