// The exports of the simulated Varo radio library: connection, radio state,
// VFO memories, stored messages and macros. Panels, options and the test
// exports are in VaroSimPanels.cpp.

#include <cstdlib>

#include "Panels.h"
#include "VaroExports.h"

using namespace varosim;
using namespace varosim::exports;

extern "C" {


// ---- Connection ---------------------------------------------------------------

#if VAROSIM_WANTS(CONNECTRADIO)
RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char* portBuffer, RadioEvent radioChangeEvent,
                                          char* connectionText, std::int32_t radio) {
  Trace("CONNECTRADIO", static_cast<const char*>(portBuffer), radioChangeEvent,
        static_cast<const char*>(connectionText), radio);
  // A connection starts with fresh panels, even after one never disconnected.
  Library().ClosePanels(radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Connect(portBuffer, radioChangeEvent, connectionText);
}
#endif

#if VAROSIM_WANTS(SETRADIODIRECTORY)
RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char* directory) {
  Trace("SETRADIODIRECTORY", static_cast<const char*>(directory));
  Library().Change([&](LibraryState& s) { s.directory = directory ? directory : ""; });
}
#endif

#if VAROSIM_WANTS(DISCONNECTRADIO)
RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(std::int32_t radio) {
  Trace("DISCONNECTRADIO", radio);
  // The panels go first: no widget of the library outlives its unloading.
  Library().CloseWindows(radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Disconnect();
}
#endif

#if VAROSIM_WANTS(SETLOGREQUESTEVENTHANDLE)
RADIO_EXPORT void RADIO_CALL SETLOGREQUESTEVENTHANDLE(RadioEvent logRequestEvent, std::int32_t radio) {
  Trace("SETLOGREQUESTEVENTHANDLE", logRequestEvent, radio);
  if (VaroRadio* r = Library().Radio(radio)) r->SetLogRequestEvent(logRequestEvent);
}
#endif

#if VAROSIM_WANTS(SETMSGEVENTHANDLES)
RADIO_EXPORT void RADIO_CALL SETMSGEVENTHANDLES(RadioEvent msgOverEvent, RadioEvent msgStartEvent,
                                                std::int32_t radio) {
  Trace("SETMSGEVENTHANDLES", msgOverEvent, msgStartEvent, radio);
  if (VaroRadio* r = Library().Radio(radio)) r->SetMsgEvents(msgOverEvent, msgStartEvent);
}
#endif

// ---- Radio state ----------------------------------------------------------------

#if VAROSIM_WANTS(GETFREQUENCY)
RADIO_EXPORT void RADIO_CALL GETFREQUENCY(std::int32_t* frequency, std::int32_t radio) {
  Trace("GETFREQUENCY", static_cast<const std::int32_t*>(frequency), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && frequency) *frequency = r->Read([](const RadioState& s) { return s.Active(); });
}
#endif

#if VAROSIM_WANTS(READFREQUENCY)
RADIO_EXPORT void RADIO_CALL READFREQUENCY(std::int32_t radio) {
  Trace("READFREQUENCY", radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Raise(EventKind::RadioChange);
}
#endif

#if VAROSIM_WANTS(GETOUTPUTPOWER)
RADIO_EXPORT void RADIO_CALL GETOUTPUTPOWER(std::int32_t* power, std::int32_t radio) {
  Trace("GETOUTPUTPOWER", static_cast<const std::int32_t*>(power), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && power) *power = r->Read([](const RadioState& s) { return s.power; });
}
#endif

#if VAROSIM_WANTS(GETRITISON)
RADIO_EXPORT void RADIO_CALL GETRITISON(RadioFlag* isOn, std::int32_t radio) {
  Trace("GETRITISON", static_cast<const RadioFlag*>(isOn), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && isOn) *isOn = r->Read([](const RadioState& s) { return s.ritOn; }) ? 1 : 0;
}
#endif

#if VAROSIM_WANTS(GETXITISON)
RADIO_EXPORT void RADIO_CALL GETXITISON(RadioFlag* isOn, std::int32_t radio) {
  Trace("GETXITISON", static_cast<const RadioFlag*>(isOn), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && isOn) *isOn = r->Read([](const RadioState& s) { return s.xitOn; }) ? 1 : 0;
}
#endif

#if VAROSIM_WANTS(GETRITFREQ)
RADIO_EXPORT void RADIO_CALL GETRITFREQ(std::int32_t* offset, std::int32_t radio) {
  Trace("GETRITFREQ", static_cast<const std::int32_t*>(offset), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && offset) *offset = r->Read([](const RadioState& s) { return s.ritOffset; });
}
#endif

#if VAROSIM_WANTS(GETXITFREQ)
RADIO_EXPORT void RADIO_CALL GETXITFREQ(std::int32_t* offset, std::int32_t radio) {
  Trace("GETXITFREQ", static_cast<const std::int32_t*>(offset), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && offset) *offset = r->Read([](const RadioState& s) { return s.xitOffset; });
}
#endif

#if VAROSIM_WANTS(SUPPORTSRIT)
RADIO_EXPORT void RADIO_CALL SUPPORTSRIT(RadioFlag* supported) {
  Trace("SUPPORTSRIT", static_cast<const RadioFlag*>(supported));
  if (supported) *supported = Library().Read([](const LibraryState& s) { return s.supportsRit; });
}
#endif

#if VAROSIM_WANTS(SUPPORTSXIT)
RADIO_EXPORT void RADIO_CALL SUPPORTSXIT(RadioFlag* supported) {
  Trace("SUPPORTSXIT", static_cast<const RadioFlag*>(supported));
  if (supported) *supported = Library().Read([](const LibraryState& s) { return s.supportsXit; });
}
#endif

#if VAROSIM_WANTS(GETMODE)
RADIO_EXPORT void RADIO_CALL GETMODE(std::int32_t* modeIndex, std::int32_t radio) {
  Trace("GETMODE", static_cast<const std::int32_t*>(modeIndex), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && modeIndex) *modeIndex = r->Read([](const RadioState& s) { return s.modeIndex; });
}
#endif

#if VAROSIM_WANTS(GETNUMMODES)
RADIO_EXPORT void RADIO_CALL GETNUMMODES(std::int32_t* count, std::int32_t radio) {
  Trace("GETNUMMODES", static_cast<const std::int32_t*>(count), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && count) {
    *count = r->Read([](const RadioState& s) { return static_cast<std::int32_t>(s.modeNames.size()); });
  }
}
#endif

#if VAROSIM_WANTS(GETMODENAMEATINDEX)
RADIO_EXPORT void RADIO_CALL GETMODENAMEATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                std::int32_t radio) {
  Trace("GETMODENAMEATINDEX", length, Buffer{}, index, radio);
  VaroRadio* r = Library().Radio(radio);
  if (r) CopyOut(r->Read([&](const RadioState& s) { return ItemAt(s.modeNames, index); }), length, buffer);
}
#endif

#if VAROSIM_WANTS(READMODE)
RADIO_EXPORT void RADIO_CALL READMODE(std::int32_t radio) {
  Trace("READMODE", radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Raise(EventKind::RadioChange);
}
#endif

#if VAROSIM_WANTS(GETKEYERSPEED)
RADIO_EXPORT void RADIO_CALL GETKEYERSPEED(std::int32_t* wordsPerMinute, std::int32_t radio) {
  Trace("GETKEYERSPEED", static_cast<const std::int32_t*>(wordsPerMinute), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && wordsPerMinute) *wordsPerMinute = r->Read([](const RadioState& s) { return s.keyerSpeed; });
}
#endif

#if VAROSIM_WANTS(SETBAUDRATE)
RADIO_EXPORT void RADIO_CALL SETBAUDRATE(char* baud, std::int32_t radio) {
  Trace("SETBAUDRATE", static_cast<const char*>(baud), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && baud) {
    r->Change([&](RadioState& s) {
      s.baud = std::string(baud).substr(0, 10);
      return true;
    });
  }
}
#endif

#if VAROSIM_WANTS(GETBAUDRATE)
RADIO_EXPORT void RADIO_CALL GETBAUDRATE(std::int32_t length, char* buffer, std::int32_t radio) {
  Trace("GETBAUDRATE", length, Buffer{}, radio);
  VaroRadio* r = Library().Radio(radio);
  if (r) CopyOut(r->Read([](const RadioState& s) { return s.baud; }), length, buffer);
}
#endif

#if VAROSIM_WANTS(FOCUSVFOKNOB)
RADIO_EXPORT void RADIO_CALL FOCUSVFOKNOB(char knob, std::int32_t radio) {
  Trace("FOCUSVFOKNOB", knob, radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && (knob == 'A' || knob == 'B')) {
    r->Change([&](RadioState& s) {
      s.knob = knob;
      return false;
    });
    if (radiopanel::Panels* panels = Library().PanelsOf(radio)) panels->FocusKnob(knob);
  }
}
#endif

// ---- VFO memories ---------------------------------------------------------------

#if VAROSIM_WANTS(STOREVFOMEMORY)
RADIO_EXPORT void RADIO_CALL STOREVFOMEMORY(char* memory, std::int32_t radio) {
  Trace("STOREVFOMEMORY", static_cast<const char*>(memory), radio);
  VaroRadio* r = Library().Radio(radio);
  if (!r || !memory) return;
  std::string text = std::string(memory).substr(0, 14);
  std::string name = text.substr(0, text.find(','));
  r->Change([&](RadioState& s) {
    for (std::string& held : s.vfoMemories) {
      if (held.substr(0, held.find(',')) == name) {
        held = text;
        return true;
      }
    }
    if (s.vfoMemories.size() >= kMaxVfoMemories) return false;
    s.vfoMemories.push_back(text);
    return true;
  });
}
#endif

#if VAROSIM_WANTS(GETNUMVFOMEMORIES)
RADIO_EXPORT void RADIO_CALL GETNUMVFOMEMORIES(std::int32_t* count, std::int32_t radio) {
  Trace("GETNUMVFOMEMORIES", static_cast<const std::int32_t*>(count), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && count) {
    *count = r->Read([](const RadioState& s) { return static_cast<std::int32_t>(s.vfoMemories.size()); });
  }
}
#endif

#if VAROSIM_WANTS(GETVFOMEMORYATINDEX)
RADIO_EXPORT void RADIO_CALL GETVFOMEMORYATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                 std::int32_t radio) {
  Trace("GETVFOMEMORYATINDEX", length, Buffer{}, index, radio);
  VaroRadio* r = Library().Radio(radio);
  if (r) CopyOut(r->Read([&](const RadioState& s) { return ItemAt(s.vfoMemories, index); }), length, buffer);
}
#endif

// ---- Stored messages --------------------------------------------------------------

#if VAROSIM_WANTS(SETMSGATINDEX)
RADIO_EXPORT void RADIO_CALL SETMSGATINDEX(char* text, std::int32_t index, std::int32_t radio) {
  Trace("SETMSGATINDEX", static_cast<const char*>(text), index, radio);
  VaroRadio* r = Library().Radio(radio);
  if (!r || index < 0 || index >= kMessageSlots) return;
  r->SetMessage(index, text ? text : "");
}
#endif

#if VAROSIM_WANTS(SENDMSGATINDEX)
RADIO_EXPORT void RADIO_CALL SENDMSGATINDEX(std::int32_t index, std::int32_t radio) {
  Trace("SENDMSGATINDEX", index, radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Send(index);
}
#endif

#if VAROSIM_WANTS(GETMSGID)
RADIO_EXPORT void RADIO_CALL GETMSGID(std::int32_t* slot, std::int32_t radio) {
  Trace("GETMSGID", static_cast<const std::int32_t*>(slot), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && slot) *slot = r->Keyer().SendingSlot();
}
#endif

#if VAROSIM_WANTS(STOPAUTOREPEATMESSAGE)
RADIO_EXPORT void RADIO_CALL STOPAUTOREPEATMESSAGE(std::int32_t radio) {
  Trace("STOPAUTOREPEATMESSAGE", radio);
  if (VaroRadio* r = Library().Radio(radio)) r->Stop();
}
#endif

#if VAROSIM_WANTS(SETAUTOREPEATDELAYTIME)
RADIO_EXPORT void RADIO_CALL SETAUTOREPEATDELAYTIME(char* seconds, std::int32_t radio) {
  Trace("SETAUTOREPEATDELAYTIME", static_cast<const char*>(seconds), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && seconds) {
    long value = std::clamp(std::strtol(seconds, nullptr, 10), 0L, 3600L);
    r->SetAutoRepeatDelay(static_cast<std::int32_t>(value));
  }
}
#endif

#if VAROSIM_WANTS(SETAUTOREPEATSTATUS)
RADIO_EXPORT void RADIO_CALL SETAUTOREPEATSTATUS(RadioFlag on, std::int32_t radio) {
  Trace("SETAUTOREPEATSTATUS", on, radio);
  if (VaroRadio* r = Library().Radio(radio)) r->SetAutoRepeat(on != 0);
}
#endif

// ---- Macros -----------------------------------------------------------------------

#if VAROSIM_WANTS(RUNMACRO)
RADIO_EXPORT void RADIO_CALL RUNMACRO(char* name, std::int32_t radio) {
  Trace("RUNMACRO", static_cast<const char*>(name), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && name) RunMacro(*r, name);
}
#endif

#if VAROSIM_WANTS(GETNUMMACROS)
RADIO_EXPORT void RADIO_CALL GETNUMMACROS(std::int32_t* count, std::int32_t radio) {
  Trace("GETNUMMACROS", static_cast<const std::int32_t*>(count), radio);
  VaroRadio* r = Library().Radio(radio);
  if (r && count) {
    *count = r->Read([](const RadioState& s) { return static_cast<std::int32_t>(s.macros.size()); });
  }
}
#endif

#if VAROSIM_WANTS(GETMACRONAMEATINDEX)
RADIO_EXPORT void RADIO_CALL GETMACRONAMEATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                 std::int32_t radio) {
  Trace("GETMACRONAMEATINDEX", length, Buffer{}, index, radio);
  VaroRadio* r = Library().Radio(radio);
  if (r) {
    CopyOut(r->Read([&](const RadioState& s) {
              return index >= 0 && index < static_cast<std::int32_t>(s.macros.size())
                         ? s.macros[static_cast<std::size_t>(index)].name
                         : std::string();
            }),
            length, buffer);
  }
}
#endif

}  // extern "C"
