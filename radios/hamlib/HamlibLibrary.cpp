#include "HamlibLibrary.h"

#include "HamlibPanels.h"
#include "LibraryFile.h"

namespace hamlibradio {

HamlibLibrary::HamlibLibrary() : PanelLibrary("HamlibRadio") {
  std::string path = radiokit::LibraryPathOf(reinterpret_cast<const void*>(&Library));
  std::size_t slash = path.rfind('/');
  m_directory = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

HamlibLibrary::~HamlibLibrary() {
  // The program disconnects before unloading; a library unloaded without
  // that still takes its windows and threads with it.
  CloseWindows(1);
  CloseWindows(2);
  for (HamlibRadio& radio : m_radios) radio.Disconnect();
  // Only at the process's exit (a library with such a worker stays loaded):
  // let a worker stuck in Hamlib end before the radios' mutexes go.
  WaitForLetGoWorkers(std::chrono::seconds(30));
}

HamlibRadio* HamlibLibrary::Radio(std::int32_t number) {
  return number == 1 || number == 2 ? &m_radios[number - 1] : nullptr;
}

radiopanel::PanelRadio* HamlibLibrary::PanelRadioOf(std::int32_t number) {
  return number == 1 || number == 2 ? &m_panelRadios[number - 1] : nullptr;
}

radiopanel::PanelActions* HamlibLibrary::PanelActionsOf(std::int32_t number) {
  return number == 1 || number == 2 ? &m_actions[number - 1] : nullptr;
}

bool HamlibLibrary::PanelsWanted(std::int32_t number) {
  HamlibRadio* radio = Radio(number);
  return radio && radio->Connected();
}

radiopanel::PanelHost HamlibLibrary::PanelHostOf(std::int32_t number) {
  HamlibRadio* radio = Radio(number);
  radiopanel::PanelHost host;
  host.namePrefix = QString("Hamlib");
  host.showConfig = [this, radio, number] { panels::ShowConfig(*radio, m_directory, number); };
  // Hamlib's macros are radio commands from its macro file, which the kit's
  // editor (panel actions) cannot write: the strip runs them, and the
  // editor is not offered (no setMacros), so ADDMACROS shows nothing.
  host.macros = [radio] {
    std::vector<radiopanel::PanelMacro> macros;
    for (std::string& name : radio->MacroNames()) macros.push_back({std::move(name), {}});
    return macros;
  };
  host.runMacro = [radio](const std::string& name) { radio->RunMacro(name); };
  return host;
}

char HamlibLibrary::KnobOf(std::int32_t number) {
  HamlibRadio* radio = Radio(number);
  return radio ? radio->Knob() : 'A';
}

void HamlibLibrary::ShowSettings(std::int32_t number) {
  if (HamlibRadio* radio = Radio(number)) panels::ShowConfig(*radio, m_directory, number);
}

bool HamlibLibrary::TurnRadioOff(std::int32_t number) {
  HamlibRadio* radio = Radio(number);
  if (!radio) return false;
  radio->TurnOff();
  return true;
}

void HamlibLibrary::CloseOwnWindows(std::int32_t number) { panels::CloseAll(number); }

HamlibRadio* HamlibLibrary::Main() {
  return m_radios[0].Connected() || !m_radios[1].Connected() ? &m_radios[0] : &m_radios[1];
}

bool HamlibLibrary::SupportsRit() { return Main()->SupportsRit(); }
bool HamlibLibrary::SupportsXit() { return Main()->SupportsXit(); }

HamlibLibrary& Library() {
  static HamlibLibrary library;
  return library;
}

}  // namespace hamlibradio
