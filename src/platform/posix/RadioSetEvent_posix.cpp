// The host's RadioSetEvent, which radio libraries call to set an event. It
// lives apart from the core: a radio library that links the core (for the
// logging grid's rules) must leave RadioSetEvent to the program, or its
// calls would set events in a table of its own that nobody waits on.

#include <cstdint>

#include "platform/Event.h"

extern "C" __attribute__((visibility("default"))) int RadioSetEvent(std::uint32_t handle) {
  return platform::SetEvent(handle) ? 1 : 0;
}
