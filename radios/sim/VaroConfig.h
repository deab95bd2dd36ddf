#pragma once
// The simulated radio's settings dialog (SHOWCONFIG): what the simulation
// does (band noise, signals, the radio's own knob step, RIT and XIT, the
// mode list). Not modal; owned by the radio's panels. Main thread only.

#include <cstdint>

namespace varosim {

class VaroLibrary;

/// Shows the dialog of that radio; nothing where no widget may be made.
void ShowConfig(VaroLibrary& library, std::int32_t number);

}  // namespace varosim
