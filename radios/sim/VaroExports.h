#pragma once
// What every export file of the simulated library shares: the build-variant
// switch and the call trace.
//
// Build variants leave exports out: VAROSIM_OMIT_<NAME>=1 drops one export;
// VAROSIM_ONLY_LISTED=1 drops every export not named by VAROSIM_KEEP_<NAME>=1.
// The test exports (VAROSIM_*) are in every variant.
//
// Each export first writes one line to the call trace: its name and its
// arguments as received, texts in double quotes, out-parameters as "&" and
// the value they held on entry, fill-in buffers as "buf", characters as 'A'.
// Then it acts on the radio of the given number; other numbers are ignored.

#include <cstdint>
#include <string>

#include "CopyOut.h"
#include "RadioLibrary.h"
#include "VaroLibrary.h"

#define VAROSIM_WANTS(NAME) \
  ((VAROSIM_ONLY_LISTED + 0 == 0 || VAROSIM_KEEP_##NAME + 0) && !(VAROSIM_OMIT_##NAME + 0))

namespace varosim::exports {

inline std::string Arg(std::int32_t value) { return std::to_string(value); }
inline std::string Arg(std::uint32_t handle) { return std::to_string(handle); }
inline std::string Arg(RadioFlag flag) { return std::to_string(static_cast<int>(flag)); }
inline std::string Arg(char letter) { return std::string("'") + letter + "'"; }
inline std::string Arg(const char* text) {
  return text ? std::string("\"") + text + "\"" : std::string("(null)");
}
inline std::string Arg(const std::int32_t* out) { return out ? "&" + std::to_string(*out) : "&(null)"; }
inline std::string Arg(const RadioFlag* out) {
  return out ? "&" + std::to_string(static_cast<int>(*out)) : "&(null)";
}
struct Buffer {};
inline std::string Arg(Buffer) { return "buf"; }

template <typename... Args>
void Trace(const char* name, Args... args) {
  std::string line = name;
  line += '(';
  bool first = true;
  ((line += (first ? "" : ", ") + Arg(args), first = false), ...);
  line += ')';
  Library().Trace(std::move(line));
}

using radiokit::CopyOut;
using radiokit::ItemAt;

}  // namespace varosim::exports
