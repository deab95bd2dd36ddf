#pragma once
// The library-wide Hamlib lock, held across every Hamlib call (RigLink.h
// says why), and the names and texts RigLink's files take from Hamlib.

#include <hamlib/rig.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "LibraryFile.h"

namespace hamlibradio {

// Hamlib keeps its error texts and parts of its reader state process-wide:
// one call at a time, whichever radio makes it. Its default debug level
// writes pages to stderr at every failed open, so it is silenced first.
//
// Each call also runs with LC_NUMERIC "C". Hamlib 4.5's link to rigctld
// keeps the name setlocale gives, switches to "C" and restores the kept
// name, which that switch has freed: under any other numeric locale (a Qt
// program runs in the user's) every call reads freed memory. With "C"
// already set Hamlib frees nothing; the program's locale comes back when
// the call is done.
class HamlibCall {
 public:
  HamlibCall() : m_lock(Mutex()) {
    static std::once_flag first;
    std::call_once(first, [] {
      rig_set_debug(RIG_DEBUG_NONE);
      // Hamlib is not made to be unloaded and loaded again (its list of
      // models lives in memory it never frees): it stays for the process.
      radiokit::PinLibraryOf(reinterpret_cast<const void*>(&rig_init));
    });
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    if (numeric && std::strcmp(numeric, "C") != 0) {
      m_numeric = numeric;
      std::setlocale(LC_NUMERIC, "C");
    }
  }
  ~HamlibCall() {
    if (!m_numeric.empty()) std::setlocale(LC_NUMERIC, m_numeric.c_str());
  }
  HamlibCall(const HamlibCall&) = delete;
  HamlibCall& operator=(const HamlibCall&) = delete;

 private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  std::unique_lock<std::mutex> m_lock;
  std::string m_numeric;
};

// Every mode Hamlib has a name for, in bit order.
inline void AllModes(std::vector<std::string>& names, std::vector<std::uint64_t>& bits, rmode_t only) {
  for (int i = 0; i < 64; ++i) {
    rmode_t bit = static_cast<rmode_t>(1) << i;
    if (only && !(only & bit)) continue;
    const char* name = rig_strrmode(bit);
    if (!name || !*name) continue;
    names.emplace_back(std::string(name).substr(0, 9));
    bits.push_back(bit);
  }
}

/// Hamlib's short text for a result code; with Hamlib held.
inline std::string TextOf(int code) {
  const char* text = rigerror2(code);
  std::string s = text ? text : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  if (s.empty()) s = "error " + std::to_string(code);
  return s;
}

}  // namespace hamlibradio
