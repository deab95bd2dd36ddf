// ExamplePanelRadio.dll: the smallest radio library with soft panels. A
// radio kept in memory (one VFO, CW and USB) that the panels tune; the
// panel kit (radios/panel/PanelLibrary.h and PanelExports.h) gives it the
// panels, the attached logging grid and every panel export, so this file
// holds only the radio.

#include <cstdint>
#include <mutex>
#include <string>

#include "PanelActions.h"
#include "PanelLibrary.h"
#include "PanelRadio.h"
#include "RadioLibrary.h"

namespace {

class MemoryRadio : public radiopanel::PanelRadio {
 public:
  radiopanel::PanelAbilities Abilities() const override {
    radiopanel::PanelAbilities a;
    a.radioName = "Example";
    a.modeNames = {"CW", "USB"};
    return a;
  }
  radiopanel::PanelState State() const override {
    std::lock_guard lock(m_mutex);
    radiopanel::PanelState s;
    s.vfoA = m_hz;
    s.mode = m_mode;
    return s;
  }
  void SetFrequency(char, std::int64_t hz) override { Set([&] { m_hz = hz; }); }
  void SetMode(const std::string& mode) override { Set([&] { m_mode = mode; }); }
  void SelectVfo(char) override {}
  void SetPower(int) override {}
  void SetKeyerSpeed(int) override {}
  void SetRit(bool, int) override {}
  void SetXit(bool, int) override {}
  void SetSplit(bool) override {}
  void SendMessage(int) override {}
  void SendText(const std::string&) override {}
  void StopSending() override {}
  void TurnOff() override {}

  std::int64_t Hz() const { return State().vfoA; }
  bool connected = false;
  RadioEvent change = 0;

 private:
  // A change is told to the program through the radio change event.
  template <typename F>
  void Set(F f) {
    {
      std::lock_guard lock(m_mutex);
      f();
    }
    if (change) RadioSetEvent(change);
  }
  mutable std::mutex m_mutex;
  std::int64_t m_hz = 14025000;
  std::string m_mode = "CW";
};

class ExampleLibrary : public radiopanel::PanelLibrary {
 public:
  ExampleLibrary() : PanelLibrary("ExamplePanelRadio") {}
  ~ExampleLibrary() override {
    CloseWindows(1);
    CloseWindows(2);
  }
  MemoryRadio* Radio(std::int32_t n) { return n == 1 || n == 2 ? &m_radios[n - 1] : nullptr; }

  radiopanel::PanelRadio* PanelRadioOf(std::int32_t n) override { return Radio(n); }
  radiopanel::PanelActions* PanelActionsOf(std::int32_t n) override {
    return n == 1 || n == 2 ? &m_actions[n - 1] : nullptr;
  }
  bool PanelsWanted(std::int32_t n) override { return Radio(n) && Radio(n)->connected; }
  radiopanel::PanelHost PanelHostOf(std::int32_t) override {
    radiopanel::PanelHost host;
    host.namePrefix = QString("Example");  // pnlExampleMain ...
    return host;
  }
  char KnobOf(std::int32_t) override { return 'A'; }
  void ShowSettings(std::int32_t) override {}  // nothing to set
  bool TurnRadioOff(std::int32_t n) override { return Radio(n) != nullptr; }

 private:
  MemoryRadio m_radios[2];
  radiopanel::PanelActions m_actions[2] = {radiopanel::PanelActions(m_radios[0]),
                                           radiopanel::PanelActions(m_radios[1])};
};

ExampleLibrary g_library;

}  // namespace

#define RADIOPANEL_LIBRARY() g_library
#include "PanelExports.h"

extern "C" {

RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char*, RadioEvent radioChangeEvent, char*, std::int32_t radio) {
  MemoryRadio* r = g_library.Radio(radio);
  if (!r) return;
  g_library.CloseWindows(radio);
  r->connected = true;
  r->change = radioChangeEvent;
  RadioSetEvent(radioChangeEvent);
}

RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(std::int32_t radio) {
  MemoryRadio* r = g_library.Radio(radio);
  if (!r) return;
  // The windows go before the library is unloaded.
  g_library.CloseWindows(radio);
  r->connected = false;
  r->change = 0;
}

RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char*) {}

RADIO_EXPORT void RADIO_CALL GETFREQUENCY(std::int32_t* frequency, std::int32_t radio) {
  MemoryRadio* r = g_library.Radio(radio);
  if (r && frequency) *frequency = static_cast<std::int32_t>(r->Hz());
}

}  // extern "C"
