#include "PanelLibrary.h"

#include <utility>

namespace radiopanel {

PanelLibrary::PanelLibrary(std::string programName) : m_programName(std::move(programName)) {}

PanelLibrary::~PanelLibrary() = default;

PanelLibrary::Slot* PanelLibrary::SlotOf(std::int32_t number) {
  return number == 1 || number == 2 ? &m_slots[number - 1] : nullptr;
}

LogGrid::RadioReader PanelLibrary::GridReaderOf(std::int32_t number) {
  PanelRadio* radio = PanelRadioOf(number);
  return radio ? ReadFrom(*radio) : LogGrid::RadioReader();
}

Panels* PanelLibrary::ExistingPanels(std::int32_t number) {
  Slot* slot = SlotOf(number);
  return slot ? slot->panels.get() : nullptr;
}

Panels* PanelLibrary::PanelsOf(std::int32_t number) {
  Slot* slot = SlotOf(number);
  if (!slot || !PanelsWanted(number) || !Panels::GuiHere()) return nullptr;
  if (slot->panels) return slot->panels.get();
  PanelRadio* radio = PanelRadioOf(number);
  PanelActions* actions = PanelActionsOf(number);
  if (!radio || !actions) return nullptr;
  slot->panels = std::make_unique<Panels>(*radio, *actions, PanelHostOf(number));
  slot->panels->SetTitleBars(m_titleBars);
  slot->panels->SetMainWindow(m_mainWindow);
  slot->panels->SetBandPlan(m_bandPlan);
  slot->panels->FocusKnob(KnobOf(number));
  return slot->panels.get();
}

LogGrid* PanelLibrary::LogGridOf(std::int32_t number) {
  Slot* slot = SlotOf(number);
  if (!slot) return nullptr;
  if (!slot->grid) slot->grid = std::make_unique<LogGrid>(GridReaderOf(number), m_programName);
  return slot->grid.get();
}

void PanelLibrary::ClosePanels(std::int32_t number) {
  // Panels deletes its windows where the QApplication runs, elsewhere lets them go.
  if (Slot* slot = SlotOf(number)) slot->panels.reset();
}

void PanelLibrary::CloseWindows(std::int32_t number) {
  Slot* slot = SlotOf(number);
  if (!slot) return;
  slot->panels.reset();
  if (slot->grid) slot->grid->Close();
  CloseOwnWindows(number);
}

void PanelLibrary::SetMainWindow(MainWindowBounds bounds) {
  m_mainWindow = bounds;
  for (Slot& slot : m_slots)
    if (slot.panels) slot.panels->SetMainWindow(bounds);
}

void PanelLibrary::SetBandPlan(const BandPlan& plan) {
  m_bandPlan = plan;
  for (Slot& slot : m_slots)
    if (slot.panels) slot.panels->SetBandPlan(plan);
}

}  // namespace radiopanel
