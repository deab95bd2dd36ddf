// The exports of the simulated Varo radio library for its panels, dialogs
// and options (the panel kit's, each writing its trace line first), and the
// test exports.

#include <climits>

#include "VaroExports.h"
#include "VaroSimControl.h"

#define RADIOPANEL_LIBRARY() varosim::Library()
#define RADIOPANEL_WANTS(NAME) VAROSIM_WANTS(NAME)
#define RADIOPANEL_TRACE(...) varosim::exports::Trace(__VA_ARGS__)
#include "PanelExports.h"

using namespace varosim;
using namespace varosim::exports;

extern "C" {

// ---- Test exports -------------------------------------------------------------------

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_CONTROL(const char* command, std::int32_t radio) {
  return command ? Library().Control(command, radio) : 0;
}

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_QUERY(const char* what, std::int32_t radio) {
  return what ? Library().Query(what, radio) : INT32_MIN;
}

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_TRACE(char* buffer, std::int32_t length) {
  std::string text = Library().TraceText();
  CopyOut(text, length, buffer);
  return static_cast<std::int32_t>(text.size());
}

RADIO_EXPORT void RADIO_CALL VAROSIM_CLEARTRACE(void) { Library().ClearTrace(); }

// Fixes the moment the radio's logging grid stamps and logs with (days since
// 1899-12-30, UTC); 0 gives it the system clock again.
RADIO_EXPORT void RADIO_CALL VAROSIM_SETLOGGRIDCLOCK(double utc, std::int32_t radio) {
  auto* grid = Library().LogGridOf(radio);
  if (!grid) return;
  if (utc > 0)
    grid->SetClock([utc] { return utc; });
  else
    grid->SetClock(nullptr);
}

}  // extern "C"
