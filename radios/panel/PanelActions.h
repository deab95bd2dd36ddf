#pragma once
// What the operator's actions do, shared by the panel's buttons and by
// macros: changing band with the band memory, and the panel actions a macro
// is made of, one a line:
//   FREQ [A|B] <Hz>          the VFO's frequency (the active VFO without a letter)
//   SHIFT <+-Hz>             the active VFO up or down
//   VFO A|B                  receive on that VFO
//   MODE <name>              one of the radio's modes
//   BAND <metres>|UP|DOWN    160 ... 6; the band's last frequency and mode
//   POWER <W>, SPEED <WPM>
//   RIT ON|OFF|TOGGLE [<Hz>] RIT on, off or over, and its offset
//   RIT <Hz>                 the offset alone (RIT 0 zeroes it)
//   XIT ...                  as RIT
//   SPLIT ON|OFF|TOGGLE
//   MSG <1..6>               send a stored message (1 is the CQ)
//   SEND <text>              key the text
//   STOP                     stop sending
// Words in any case. No Qt; main thread only (as the panel and the exports).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Bands.h"
#include "PanelRadio.h"

namespace radiopanel {

constexpr std::size_t kMaxMacroName = 30;

struct PanelMacro {
  std::string name;
  std::vector<std::string> actions;
};

/// Why an action line cannot be performed on a radio with these abilities,
/// or empty when it can. A blank line or a "#" comment is fine (and does
/// nothing).
std::string CheckAction(std::string_view line, const PanelAbilities& abilities);

/// The macro of that name (case and surrounding blanks ignored), or nullptr.
const PanelMacro* FindMacro(const std::vector<PanelMacro>& macros, std::string_view name);

/// The actions that set a radio as it is now (for the macro editor).
std::vector<std::string> ActionsForState(const PanelState& state, const PanelAbilities& abilities);

class PanelActions {
 public:
  explicit PanelActions(PanelRadio& radio);
  PanelActions(const PanelActions&) = delete;
  PanelActions& operator=(const PanelActions&) = delete;

  PanelRadio& Radio() const { return m_radio; }
  BandMemory& Memory() { return m_memory; }

  /// Notes the radio's frequency and mode in the band memory (the panel
  /// does at every refresh).
  void Observe(const PanelState& state);
  /// To the band's last frequency and mode, or to its entry frequency;
  /// the band being left is remembered first.
  void GoToBand(int band);
  /// One band up (+1) or down (-1), staying at 160 m and 6 m.
  void StepBand(int direction);
  /// Performs one action; false, with the reason in *error, when it is not
  /// understood (nothing is then done).
  bool Run(std::string_view action, std::string* error = nullptr);
  /// Performs the macro's actions in order, each on the radio as the
  /// earlier ones left it; lines not understood are skipped. Answers how
  /// many were performed.
  int RunMacro(const PanelMacro& macro);

 private:
  bool Apply(std::string_view action, PanelState& assumed, std::string* error);
  void GoToBand(int band, PanelState& assumed);

  PanelRadio& m_radio;
  BandMemory m_memory;
};

}  // namespace radiopanel
