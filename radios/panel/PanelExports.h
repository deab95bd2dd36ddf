#pragma once
// The panel and logging-grid exports of a radio library with soft panels,
// all acting on its PanelLibrary. Include this file once, in one source
// file of the library, outside any namespace, after defining:
//
//   RADIOPANEL_LIBRARY()            an expression giving the library's
//                                   radiopanel::PanelLibrary
//
// and, where the library wants them:
//
//   RADIOPANEL_WANTS(NAME)          0 leaves the export NAME out (a build
//                                   variant); every export by default
//   RADIOPANEL_TRACE(name, args...) called first in every export, with the
//                                   export's name and its arguments
//
// A panel action needs the radio connected and widgets allowed here (a
// QApplication, on its thread); elsewhere the export does nothing more
// than its trace.

#include <cstdint>

#include "PanelLibrary.h"
#include "RadioLibrary.h"

#ifndef RADIOPANEL_LIBRARY
#error "Define RADIOPANEL_LIBRARY() before including PanelExports.h"
#endif
#ifndef RADIOPANEL_WANTS
#define RADIOPANEL_WANTS(NAME) 1
#endif
#ifndef RADIOPANEL_TRACE
#define RADIOPANEL_TRACE(...) ((void)0)
#endif

// A radio-only export acting on the radio's panels (as p).
#define RADIOPANEL_PANEL_ACTION(NAME, ACTION)                                         \
  extern "C" RADIO_EXPORT void RADIO_CALL NAME(std::int32_t radio) {                  \
    RADIOPANEL_TRACE(#NAME, radio);                                                   \
    if (radiopanel::Panels* p = RADIOPANEL_LIBRARY().PanelsOf(radio)) (void)p, ACTION; \
  }

// A radio-only export acting on the radio's logging grid (as grid).
#define RADIOPANEL_GRID_ACTION(NAME, ACTION)                                              \
  extern "C" RADIO_EXPORT void RADIO_CALL NAME(std::int32_t radio) {                      \
    RADIOPANEL_TRACE(#NAME, radio);                                                       \
    if (radiopanel::LogGrid* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) (void)grid, ACTION; \
  }

#if RADIOPANEL_WANTS(INITTITLEBARFLAG)
extern "C" RADIO_EXPORT void RADIO_CALL INITTITLEBARFLAG(RadioFlag wantTitleBars) {
  RADIOPANEL_TRACE("INITTITLEBARFLAG", wantTitleBars);
  RADIOPANEL_LIBRARY().SetTitleBarWish(wantTitleBars != 0);
}
#endif

// ---- Panels and dialogs -------------------------------------------------------------

#if RADIOPANEL_WANTS(SHOWKEYBOARD)
RADIOPANEL_PANEL_ACTION(SHOWKEYBOARD, p->ShowKeyboard())
#endif
#if RADIOPANEL_WANTS(HIDEKEYBOARD)
RADIOPANEL_PANEL_ACTION(HIDEKEYBOARD, p->HideKeyboard())
#endif
#if RADIOPANEL_WANTS(SHOWMSGBUTTONS)
RADIOPANEL_PANEL_ACTION(SHOWMSGBUTTONS, p->ShowMessageButtons())
#endif
#if RADIOPANEL_WANTS(HIDEMSGBUTTONS)
RADIOPANEL_PANEL_ACTION(HIDEMSGBUTTONS, p->HideMessageButtons())
#endif
#if RADIOPANEL_WANTS(SHOWTITLEBARS)
RADIOPANEL_PANEL_ACTION(SHOWTITLEBARS, p->SetTitleBars(true))
#endif
#if RADIOPANEL_WANTS(HIDETITLEBARS)
RADIOPANEL_PANEL_ACTION(HIDETITLEBARS, p->SetTitleBars(false))
#endif
#if RADIOPANEL_WANTS(SHOWPIGKNOBCONFIG)
RADIOPANEL_PANEL_ACTION(SHOWPIGKNOBCONFIG, p->ShowKnobSettings())
#endif
// The macro editor is offered only by a library whose panel host can save
// macros (PanelHost::setMacros).
#if RADIOPANEL_WANTS(ADDMACROS)
RADIOPANEL_PANEL_ACTION(ADDMACROS, p->ShowMacroEditor())
#endif
#if RADIOPANEL_WANTS(HIDECONFIGPANEL)
RADIOPANEL_PANEL_ACTION(HIDECONFIGPANEL, p->HidePart(radiopanel::PanelPart::Config))
#endif
#if RADIOPANEL_WANTS(HIDECLOSEPANEL)
RADIOPANEL_PANEL_ACTION(HIDECLOSEPANEL, p->HidePart(radiopanel::PanelPart::Close))
#endif
#if RADIOPANEL_WANTS(HIDESMALLPANEL)
RADIOPANEL_PANEL_ACTION(HIDESMALLPANEL, p->HidePart(radiopanel::PanelPart::Small))
#endif
#if RADIOPANEL_WANTS(SHOWMORECONTROLS)
RADIOPANEL_PANEL_ACTION(SHOWMORECONTROLS, p->ShowFull())
#endif

#if RADIOPANEL_WANTS(SHOWCONFIG)
extern "C" RADIO_EXPORT void RADIO_CALL SHOWCONFIG(std::int32_t radio) {
  RADIOPANEL_TRACE("SHOWCONFIG", radio);
  RADIOPANEL_LIBRARY().ShowSettings(radio);
}
#endif

#if RADIOPANEL_WANTS(TURNOFFRADIO)
extern "C" RADIO_EXPORT void RADIO_CALL TURNOFFRADIO(std::int32_t radio) {
  RADIOPANEL_TRACE("TURNOFFRADIO", radio);
  if (!RADIOPANEL_LIBRARY().TurnRadioOff(radio)) return;
  if (radiopanel::Panels* p = RADIOPANEL_LIBRARY().ExistingPanels(radio)) p->Refresh();
}
#endif

#if RADIOPANEL_WANTS(SETCENTEREDFORMSINFO)
extern "C" RADIO_EXPORT void RADIO_CALL SETCENTEREDFORMSINFO(std::int32_t bottom, std::int32_t top,
                                                             std::int32_t right, std::int32_t left,
                                                             RadioFlag flag) {
  RADIOPANEL_TRACE("SETCENTEREDFORMSINFO", bottom, top, right, left, flag);
  (void)flag;
  RADIOPANEL_LIBRARY().SetMainWindow({left, top, right, bottom});
}
#endif

#if RADIOPANEL_WANTS(UPDATEBANDLIMITS)
extern "C" RADIO_EXPORT void RADIO_CALL UPDATEBANDLIMITS(char* path) {
  RADIOPANEL_TRACE("UPDATEBANDLIMITS", static_cast<const char*>(path));
  radiopanel::BandPlan plan;
  if (path && plan.Load(path)) RADIOPANEL_LIBRARY().SetBandPlan(plan);
}
#endif

// ---- The logging grid ---------------------------------------------------------------

#if RADIOPANEL_WANTS(SHOWLOGGRID)
RADIOPANEL_GRID_ACTION(SHOWLOGGRID, grid->Show())
#endif
#if RADIOPANEL_WANTS(HIDELOGGRID)
RADIOPANEL_GRID_ACTION(HIDELOGGRID, grid->Hide())
#endif

#if RADIOPANEL_WANTS(SETSHOWMEMBERS)
extern "C" RADIO_EXPORT void RADIO_CALL SETSHOWMEMBERS(RadioFlag showCwops, RadioFlag showFoc, std::int32_t radio) {
  RADIOPANEL_TRACE("SETSHOWMEMBERS", showCwops, showFoc, radio);
  if (auto* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) grid->SetShowMembers(showCwops != 0, showFoc != 0);
}
#endif

#if RADIOPANEL_WANTS(SETNAMESHISTORYFILE)
extern "C" RADIO_EXPORT void RADIO_CALL SETNAMESHISTORYFILE(char* path, std::int32_t radio) {
  RADIOPANEL_TRACE("SETNAMESHISTORYFILE", static_cast<const char*>(path), radio);
  if (auto* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) grid->SetNamesFile(path);
}
#endif

#if RADIOPANEL_WANTS(SETLOGFILE)
extern "C" RADIO_EXPORT void RADIO_CALL SETLOGFILE(RadioFlag isAdif, char* path, std::int32_t radio) {
  RADIOPANEL_TRACE("SETLOGFILE", isAdif, static_cast<const char*>(path), radio);
  if (auto* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) grid->SetLogFile(isAdif != 0, path);
}
#endif

#if RADIOPANEL_WANTS(SETWANTSLOG)
extern "C" RADIO_EXPORT void RADIO_CALL SETWANTSLOG(RadioFlag wantsLog, std::int32_t radio) {
  RADIOPANEL_TRACE("SETWANTSLOG", wantsLog, radio);
  if (auto* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) grid->SetWantsLog(wantsLog != 0);
}
#endif

#if RADIOPANEL_WANTS(SETDEFAULTLOGFILE)
extern "C" RADIO_EXPORT void RADIO_CALL SETDEFAULTLOGFILE(char* path, std::int32_t radio) {
  RADIOPANEL_TRACE("SETDEFAULTLOGFILE", static_cast<const char*>(path), radio);
  if (auto* grid = RADIOPANEL_LIBRARY().LogGridOf(radio)) grid->SetDefaultLogFile(path);
}
#endif
