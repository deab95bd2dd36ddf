#include "VaroLogGrid.h"

#include <array>
#include <memory>

#include "VaroLibrary.h"

namespace varosim {

radiopanel::LogGrid* LogGridOf(std::int32_t radio) {
  if (radio != 1 && radio != 2) return nullptr;
  static std::array<std::unique_ptr<radiopanel::LogGrid>, 2> grids;
  auto& grid = grids[static_cast<std::size_t>(radio - 1)];
  if (!grid) {
    grid = std::make_unique<radiopanel::LogGrid>(
        [radio] {
          radiopanel::LogGridRadioValues values;
          VaroRadio* r = Library().Radio(radio);
          if (!r || !r->Connected()) return values;
          r->Read([&values](const RadioState& s) {
            values.known = s.poweredOn;
            values.hz = s.Active();
            values.watts = s.power;
            if (s.modeIndex >= 0 && static_cast<std::size_t>(s.modeIndex) < s.modeNames.size())
              values.mode = s.modeNames[static_cast<std::size_t>(s.modeIndex)];
          });
          return values;
        },
        "VaroSim");
  }
  return grid.get();
}

}  // namespace varosim
