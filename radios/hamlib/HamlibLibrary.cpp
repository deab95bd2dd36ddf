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
  panels::CloseAll(1);
  panels::CloseAll(2);
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
