#pragma once
// Call signs for the benchmarks: a distinct one for every number.

#include <cstddef>
#include <string>

/// Two letters, a digit, three letters.
inline std::string CallOf(std::size_t n) {
  std::string call(6, ' ');
  call[5] = static_cast<char>('A' + n % 26); n /= 26;
  call[4] = static_cast<char>('A' + n % 26); n /= 26;
  call[3] = static_cast<char>('A' + n % 26); n /= 26;
  call[2] = static_cast<char>('0' + n % 10); n /= 10;
  call[1] = static_cast<char>('A' + n % 26); n /= 26;
  call[0] = static_cast<char>('A' + n % 26);
  return call;
}
