#pragma once
// A HamlibRadio as the soft panels see it. Every action is queued for the
// radio's worker and returns at once; Abilities and State answer from the
// last poll. Abilities follow the model's capabilities (for rigctld, its
// radio's, known once it first answers): a level, function or VFO the
// model lacks is reported absent, never tried.

#include "HamlibRadio.h"
#include "PanelRadio.h"

namespace hamlibradio {

class HamlibPanelRadio final : public radiopanel::PanelRadio {
 public:
  explicit HamlibPanelRadio(HamlibRadio& radio) : m_radio(radio) {}

  radiopanel::PanelAbilities Abilities() const override;
  /// answering is false, with the reason in problem, until the radio
  /// answers and whenever it stops; the worker keeps reconnecting.
  radiopanel::PanelState State() const override;

  void SetFrequency(char vfo, std::int64_t hz) override;
  void SelectVfo(char vfo) override;
  /// A name of Abilities().modeNames, set with the model's normal passband.
  void SetMode(const std::string& mode) override;
  /// W; in per cent (of maxPower 100) where the model has no conversion.
  void SetPower(int watts) override;
  void SetKeyerSpeed(int wpm) override;
  void SetRit(bool on, int offsetHz) override;
  void SetXit(bool on, int offsetHz) override;
  void SetSplit(bool on) override;
  void SendMessage(int slot) override;
  void SendText(const std::string& text) override;
  void StopSending() override;
  void TurnOff() override;

 private:
  HamlibRadio& m_radio;
};

/// S units from Hamlib's STRENGTH (dB relative to S9): 6 dB an S unit
/// below S9, 9 + dB/10 above it; never below 0.
double SUnitsOf(double strengthDb);

}  // namespace hamlibradio
