#pragma once
// The four events the program hands a radio library, and setting them.
//
// The program calls the library on its main thread, but the library's own
// threads (keyer, poll) set events too: every member may be called from any
// thread. RadioSetEvent is called without any lock held.

#include <array>
#include <mutex>

#include "RadioLibrary.h"

namespace radiokit {

enum class RadioEventKind { RadioChange, LogRequest, MsgStart, MsgOver };

class RadioEvents {
 public:
  /// Keeps the handle the program gave for that event (0: none).
  void Set(RadioEventKind kind, RadioEvent handle);
  /// Drops every handle, as at disconnect: later raises do nothing.
  void Forget();
  /// Sets the event through the host's RadioSetEvent; false when no handle
  /// was given or the program has released it.
  bool Raise(RadioEventKind kind) const;

 private:
  mutable std::mutex m_mutex;
  std::array<RadioEvent, 4> m_handles{};
};

}  // namespace radiokit
