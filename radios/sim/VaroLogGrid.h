#pragma once
// The logging grid each simulated radio attaches to its panel.

#include <cstdint>

#include "LogGrid.h"

namespace varosim {

/// The grid of radio 1 or 2 (made at the first call); nullptr for any other number.
radiopanel::LogGrid* LogGridOf(std::int32_t radio);

}  // namespace varosim
