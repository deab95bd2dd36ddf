// The exports of HamlibRadio.dll. Each one answers from the library's state
// at once; only the radio's worker thread talks to Hamlib. The panel and
// logging-grid exports are the panel kit's (PanelExports.h).

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CopyOut.h"
#include "HamlibLibrary.h"
#include "HamlibPanels.h"
#include "Panels.h"
#include "RadioLibrary.h"

#define RADIOPANEL_LIBRARY() hamlibradio::Library()
#include "PanelExports.h"

using namespace hamlibradio;

namespace {

using radiokit::CopyOut;
using radiokit::ItemAt;

}  // namespace

extern "C" {

// ---- Connection -------------------------------------------------------------------

RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char* portBuffer, RadioEvent radioChangeEvent, char* connectionText,
                                          std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r) return;
  // A connection starts with fresh panels, even after one never disconnected.
  Library().CloseWindows(radio);
  std::string port;
  if (portBuffer) port.assign(portBuffer, strnlen(portBuffer, 6));
  r->Connect(port.c_str(), radioChangeEvent, connectionText, Library().Directory());
  panels::StartNotices(*r, radio);
}

// The library finds its folder itself, before the program names it.
RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char*) {}

RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r) return;
  // The windows go first: none of the library's outlives its unloading.
  Library().CloseWindows(radio);
  r->Disconnect();
}

RADIO_EXPORT void RADIO_CALL SETLOGREQUESTEVENTHANDLE(RadioEvent logRequestEvent, std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->SetLogRequestEvent(logRequestEvent);
}

RADIO_EXPORT void RADIO_CALL SETMSGEVENTHANDLES(RadioEvent msgOverEvent, RadioEvent msgStartEvent,
                                                std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->SetMsgEvents(msgOverEvent, msgStartEvent);
}

// ---- Radio state ------------------------------------------------------------------

RADIO_EXPORT void RADIO_CALL GETFREQUENCY(std::int32_t* frequency, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r || !frequency) return;
  std::int64_t hz = r->Reading().frequency;
  *frequency = static_cast<std::int32_t>(std::clamp<std::int64_t>(hz, 0, INT32_MAX));
}

RADIO_EXPORT void RADIO_CALL READFREQUENCY(std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->RequestRead();
}

RADIO_EXPORT void RADIO_CALL GETOUTPUTPOWER(std::int32_t* power, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && power) *power = r->Reading().power;
}

RADIO_EXPORT void RADIO_CALL GETRITISON(RadioFlag* isOn, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && isOn) *isOn = r->Reading().ritOn ? 1 : 0;
}

RADIO_EXPORT void RADIO_CALL GETXITISON(RadioFlag* isOn, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && isOn) *isOn = r->Reading().xitOn ? 1 : 0;
}

RADIO_EXPORT void RADIO_CALL GETRITFREQ(std::int32_t* offset, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && offset) *offset = r->Reading().ritOffset;
}

RADIO_EXPORT void RADIO_CALL GETXITFREQ(std::int32_t* offset, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && offset) *offset = r->Reading().xitOffset;
}

RADIO_EXPORT void RADIO_CALL SUPPORTSRIT(RadioFlag* supported) {
  if (supported) *supported = Library().SupportsRit() ? 1 : 0;
}

RADIO_EXPORT void RADIO_CALL SUPPORTSXIT(RadioFlag* supported) {
  if (supported) *supported = Library().SupportsXit() ? 1 : 0;
}

RADIO_EXPORT void RADIO_CALL GETMODE(std::int32_t* modeIndex, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && modeIndex) *modeIndex = r->ModeIndex();
}

RADIO_EXPORT void RADIO_CALL GETNUMMODES(std::int32_t* count, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && count) *count = static_cast<std::int32_t>(r->ModeNames().size());
}

RADIO_EXPORT void RADIO_CALL GETMODENAMEATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) CopyOut(ItemAt(r->ModeNames(), index), length, buffer);
}

RADIO_EXPORT void RADIO_CALL READMODE(std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->RequestRead();
}

RADIO_EXPORT void RADIO_CALL GETKEYERSPEED(std::int32_t* wordsPerMinute, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && wordsPerMinute) *wordsPerMinute = r->Reading().keyerSpeed;
}

RADIO_EXPORT void RADIO_CALL SETBAUDRATE(char* baud, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && baud) r->SetBaud(baud);
}

RADIO_EXPORT void RADIO_CALL GETBAUDRATE(std::int32_t length, char* buffer, std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) CopyOut(r->Baud(), length, buffer);
}

RADIO_EXPORT void RADIO_CALL FOCUSVFOKNOB(char knob, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r || (knob != 'A' && knob != 'B')) return;
  r->SetKnob(knob);
  if (radiopanel::Panels* p = Library().PanelsOf(radio)) p->FocusKnob(knob);
}

// ---- VFO memories -----------------------------------------------------------------

RADIO_EXPORT void RADIO_CALL STOREVFOMEMORY(char* memory, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && memory) r->StoreMemory(memory);
}

RADIO_EXPORT void RADIO_CALL GETNUMVFOMEMORIES(std::int32_t* count, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && count) *count = static_cast<std::int32_t>(r->Memories().size());
}

RADIO_EXPORT void RADIO_CALL GETVFOMEMORYATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                 std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) CopyOut(ItemAt(r->Memories(), index), length, buffer);
}

// ---- Stored messages ----------------------------------------------------------------

RADIO_EXPORT void RADIO_CALL SETMSGATINDEX(char* text, std::int32_t index, std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->SetMessage(index, text ? text : "");
}

RADIO_EXPORT void RADIO_CALL SENDMSGATINDEX(std::int32_t index, std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->Send(index);
}

RADIO_EXPORT void RADIO_CALL GETMSGID(std::int32_t* slot, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r || !slot) return;
  int sending = r->SendingSlot();
  if (sending >= 0) *slot = sending;
}

RADIO_EXPORT void RADIO_CALL STOPAUTOREPEATMESSAGE(std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->Stop();
}

RADIO_EXPORT void RADIO_CALL SETAUTOREPEATDELAYTIME(char* seconds, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && seconds) r->SetAutoRepeatDelay(static_cast<int>(std::clamp(std::strtol(seconds, nullptr, 10), 0L, 3600L)));
}

RADIO_EXPORT void RADIO_CALL SETAUTOREPEATSTATUS(RadioFlag on, std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) r->SetAutoRepeat((on & 1) != 0);
}

// ---- Macros -----------------------------------------------------------------------

RADIO_EXPORT void RADIO_CALL RUNMACRO(char* name, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && name) r->RunMacro(name);
}

RADIO_EXPORT void RADIO_CALL GETNUMMACROS(std::int32_t* count, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (r && count) *count = static_cast<std::int32_t>(r->MacroNames().size());
}

RADIO_EXPORT void RADIO_CALL GETMACRONAMEATINDEX(std::int32_t length, char* buffer, std::int32_t index,
                                                 std::int32_t radio) {
  if (HamlibRadio* r = Library().Radio(radio)) CopyOut(ItemAt(r->MacroNames(), index), length, buffer);
}

// ---- Outside the program's table: the status, for tests and tools ------------------

/// The radio's status as KEY=value lines (see HamlibRadio::StatusText);
/// writes at most length characters and answers the full length.
RADIO_EXPORT std::int32_t RADIO_CALL HAMLIBRADIO_STATUS(char* buffer, std::int32_t length, std::int32_t radio) {
  HamlibRadio* r = Library().Radio(radio);
  if (!r) return -1;
  std::string text = r->StatusText();
  CopyOut(text, length, buffer);
  return static_cast<std::int32_t>(text.size());
}

/// The radio's soft-panel interface (radios/panel/PanelRadio.h), for tests
/// built with the same compiler and library; nullptr for an unknown radio.
RADIO_EXPORT radiopanel::PanelRadio* RADIO_CALL HAMLIBRADIO_PANELRADIO(std::int32_t radio) {
  return Library().PanelRadioOf(radio);
}

}  // extern "C"
