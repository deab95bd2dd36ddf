#include "HamlibLibrary.h"

#include "HamlibPanels.h"
#include "LibraryFile.h"

namespace hamlibradio {

HamlibLibrary::HamlibLibrary() {
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

radiopanel::Panels* HamlibLibrary::ExistingPanels(std::int32_t number) {
  return number == 1 || number == 2 ? m_panels[number - 1].get() : nullptr;
}

radiopanel::Panels* HamlibLibrary::PanelsOf(std::int32_t number) {
  HamlibRadio* radio = Radio(number);
  if (!radio || !radio->Connected() || !radiopanel::Panels::GuiHere()) return nullptr;
  std::unique_ptr<radiopanel::Panels>& panels = m_panels[number - 1];
  if (panels) return panels.get();

  radiopanel::PanelHost host;
  host.namePrefix = QString("Hamlib");
  host.showConfig = [this, radio, number] { panels::ShowConfig(*radio, m_directory, number); };
  // Hamlib's macros are radio commands from its macro file, which the kit's
  // editor (panel actions) cannot write: the strip runs them, and the
  // editor is not offered (no setMacros).
  host.macros = [radio] {
    std::vector<radiopanel::PanelMacro> macros;
    for (std::string& name : radio->MacroNames()) macros.push_back({std::move(name), {}});
    return macros;
  };
  host.runMacro = [radio](const std::string& name) { radio->RunMacro(name); };
  panels = std::make_unique<radiopanel::Panels>(m_panelRadios[number - 1], m_actions[number - 1], std::move(host));
  panels->SetTitleBars(m_titleBars);
  panels->SetMainWindow(m_mainWindow);
  panels->SetBandPlan(m_bandPlan);
  panels->FocusKnob(radio->Knob());
  return panels.get();
}

radiopanel::LogGrid* HamlibLibrary::LogGridOf(std::int32_t number) {
  return number == 1 || number == 2 ? &m_grids[number - 1] : nullptr;
}

void HamlibLibrary::CloseWindows(std::int32_t number) {
  if (number != 1 && number != 2) return;
  // Panels deletes its windows where the QApplication runs, elsewhere lets them go.
  m_panels[number - 1].reset();
  m_grids[number - 1].Close();
  panels::CloseAll(number);
}

void HamlibLibrary::SetMainWindow(radiopanel::MainWindowBounds bounds) {
  m_mainWindow = bounds;
  for (auto& panels : m_panels)
    if (panels) panels->SetMainWindow(bounds);
}

void HamlibLibrary::SetBandPlan(const radiopanel::BandPlan& plan) {
  m_bandPlan = plan;
  for (auto& panels : m_panels)
    if (panels) panels->SetBandPlan(plan);
}

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
