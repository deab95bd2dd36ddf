// The exports of the simulated Varo radio library for its panels, dialogs
// and options, and the test exports.

#include <climits>

#include "Panels.h"
#include "VaroConfig.h"
#include "VaroExports.h"
#include "VaroLogGrid.h"
#include "VaroSimControl.h"

using namespace varosim;
using namespace varosim::exports;

extern "C" {

// ---- Panels, dialogs, power -------------------------------------------------------
// Each acts on the radio's panels where widgets may be made (a QApplication,
// on its thread, the radio connected); elsewhere the trace line is all.

#if VAROSIM_WANTS(SHOWKEYBOARD)
VAROSIM_PANEL_ACTION(SHOWKEYBOARD, p->ShowKeyboard())
#endif
#if VAROSIM_WANTS(HIDEKEYBOARD)
VAROSIM_PANEL_ACTION(HIDEKEYBOARD, p->HideKeyboard())
#endif
#if VAROSIM_WANTS(SHOWLOGGRID)
RADIO_EXPORT void RADIO_CALL SHOWLOGGRID(std::int32_t radio) {
  Trace("SHOWLOGGRID", radio);
  if (auto* grid = LogGridOf(radio)) grid->Show();
}
#endif
#if VAROSIM_WANTS(HIDELOGGRID)
RADIO_EXPORT void RADIO_CALL HIDELOGGRID(std::int32_t radio) {
  Trace("HIDELOGGRID", radio);
  if (auto* grid = LogGridOf(radio)) grid->Hide();
}
#endif
#if VAROSIM_WANTS(SHOWMSGBUTTONS)
VAROSIM_PANEL_ACTION(SHOWMSGBUTTONS, p->ShowMessageButtons())
#endif
#if VAROSIM_WANTS(HIDEMSGBUTTONS)
VAROSIM_PANEL_ACTION(HIDEMSGBUTTONS, p->HideMessageButtons())
#endif
#if VAROSIM_WANTS(SHOWTITLEBARS)
VAROSIM_PANEL_ACTION(SHOWTITLEBARS, p->SetTitleBars(true))
#endif
#if VAROSIM_WANTS(HIDETITLEBARS)
VAROSIM_PANEL_ACTION(HIDETITLEBARS, p->SetTitleBars(false))
#endif
#if VAROSIM_WANTS(SHOWCONFIG)
VAROSIM_PANEL_ACTION(SHOWCONFIG, ShowConfig(Library(), radio))
#endif
#if VAROSIM_WANTS(SHOWPIGKNOBCONFIG)
VAROSIM_PANEL_ACTION(SHOWPIGKNOBCONFIG, p->ShowKnobSettings())
#endif
#if VAROSIM_WANTS(ADDMACROS)
VAROSIM_PANEL_ACTION(ADDMACROS, p->ShowMacroEditor())
#endif
#if VAROSIM_WANTS(HIDECONFIGPANEL)
VAROSIM_PANEL_ACTION(HIDECONFIGPANEL, p->HidePart(radiopanel::PanelPart::Config))
#endif
#if VAROSIM_WANTS(HIDECLOSEPANEL)
VAROSIM_PANEL_ACTION(HIDECLOSEPANEL, p->HidePart(radiopanel::PanelPart::Close))
#endif
#if VAROSIM_WANTS(HIDESMALLPANEL)
VAROSIM_PANEL_ACTION(HIDESMALLPANEL, p->HidePart(radiopanel::PanelPart::Small))
#endif
#if VAROSIM_WANTS(SHOWMORECONTROLS)
VAROSIM_PANEL_ACTION(SHOWMORECONTROLS, p->ShowFull())
#endif

#if VAROSIM_WANTS(TURNOFFRADIO)
RADIO_EXPORT void RADIO_CALL TURNOFFRADIO(std::int32_t radio) {
  Trace("TURNOFFRADIO", radio);
  VaroRadio* r = Library().Radio(radio);
  if (!r) return;
  r->TurnOff();
  if (radiopanel::Panels* p = Library().ExistingPanels(radio)) p->Refresh();
}
#endif

#if VAROSIM_WANTS(SETCENTEREDFORMSINFO)
RADIO_EXPORT void RADIO_CALL SETCENTEREDFORMSINFO(std::int32_t bottom, std::int32_t top, std::int32_t right,
                                                  std::int32_t left, RadioFlag flag) {
  Trace("SETCENTEREDFORMSINFO", bottom, top, right, left, flag);
  Library().Change([&](LibraryState& s) {
    s.bottom = bottom;
    s.top = top;
    s.right = right;
    s.left = left;
    s.centeredFlag = flag != 0;
  });
  for (std::int32_t radio : {1, 2}) {
    if (radiopanel::Panels* p = Library().ExistingPanels(radio)) p->SetMainWindow({left, top, right, bottom});
  }
}
#endif

// ---- Files and logging options ------------------------------------------------------

#if VAROSIM_WANTS(SETSHOWMEMBERS)
RADIO_EXPORT void RADIO_CALL SETSHOWMEMBERS(RadioFlag showCwops, RadioFlag showFoc, std::int32_t radio) {
  Trace("SETSHOWMEMBERS", showCwops, showFoc, radio);
  if (auto* grid = LogGridOf(radio)) grid->SetShowMembers(showCwops != 0, showFoc != 0);
}
#endif

#if VAROSIM_WANTS(SETNAMESHISTORYFILE)
RADIO_EXPORT void RADIO_CALL SETNAMESHISTORYFILE(char* path, std::int32_t radio) {
  Trace("SETNAMESHISTORYFILE", static_cast<const char*>(path), radio);
  if (auto* grid = LogGridOf(radio)) grid->SetNamesFile(path);
}
#endif

#if VAROSIM_WANTS(SETLOGFILE)
RADIO_EXPORT void RADIO_CALL SETLOGFILE(RadioFlag isAdif, char* path, std::int32_t radio) {
  Trace("SETLOGFILE", isAdif, static_cast<const char*>(path), radio);
  if (auto* grid = LogGridOf(radio)) grid->SetLogFile(isAdif != 0, path);
}
#endif

#if VAROSIM_WANTS(SETWANTSLOG)
RADIO_EXPORT void RADIO_CALL SETWANTSLOG(RadioFlag wantsLog, std::int32_t radio) {
  Trace("SETWANTSLOG", wantsLog, radio);
  if (auto* grid = LogGridOf(radio)) grid->SetWantsLog(wantsLog != 0);
}
#endif

#if VAROSIM_WANTS(SETDEFAULTLOGFILE)
RADIO_EXPORT void RADIO_CALL SETDEFAULTLOGFILE(char* path, std::int32_t radio) {
  Trace("SETDEFAULTLOGFILE", static_cast<const char*>(path), radio);
  if (auto* grid = LogGridOf(radio)) grid->SetDefaultLogFile(path);
}
#endif

#if VAROSIM_WANTS(UPDATEBANDLIMITS)
RADIO_EXPORT void RADIO_CALL UPDATEBANDLIMITS(char* path) {
  Trace("UPDATEBANDLIMITS", static_cast<const char*>(path));
  Library().Change([&](LibraryState& s) { s.bandLimitsFile = path ? path : ""; });
  radiopanel::BandPlan plan;
  if (path && plan.Load(path)) Library().SetBandPlan(plan);
}
#endif

// ---- Test exports -------------------------------------------------------------------

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_CONTROL(const char* command, std::int32_t radio) {
  return command ? Library().Control(command, radio) : 0;
}

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_QUERY(const char* what, std::int32_t radio) {
  return what ? Library().Query(what, radio) : INT32_MIN;
}

RADIO_EXPORT std::int32_t RADIO_CALL VAROSIM_TRACE(char* buffer, std::int32_t length) {
  std::string text = Library().TraceText();
  CopyOut(text, length, buffer);
  return static_cast<std::int32_t>(text.size());
}

RADIO_EXPORT void RADIO_CALL VAROSIM_CLEARTRACE(void) { Library().ClearTrace(); }

// Fixes the moment the radio's logging grid stamps and logs with (days since
// 1899-12-30, UTC); 0 gives it the system clock again.
RADIO_EXPORT void RADIO_CALL VAROSIM_SETLOGGRIDCLOCK(double utc, std::int32_t radio) {
  auto* grid = LogGridOf(radio);
  if (!grid) return;
  if (utc > 0)
    grid->SetClock([utc] { return utc; });
  else
    grid->SetClock(nullptr);
}

}  // extern "C"
