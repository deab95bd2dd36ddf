/*
 * ExampleRadio.dll - the smallest radio library: a radio that stays on
 * 14.025 MHz CW. Copy this folder to start a library for a new radio.
 *
 * Everything comes from RadioLibrary.h. Every call arrives on the program's
 * main thread, so plain statics do; a thread of your own (a poll of the
 * radio) would lock what it shares and call nothing of the program's but
 * RadioSetEvent.
 */
#include <stdint.h>
#include <string.h>

#include "RadioLibrary.h"

static const char* const kModes[] = {"LSB", "USB", "CW"};

/* Per radio number (1 = left, 2 = right): the radio change event. */
static RadioEvent g_change[3];

static int Valid(int32_t radio) { return radio == 1 || radio == 2; }

/* The program calls these at each connection and tells the user when one
 * is missing, so export them even with no use for them. SETRADIODIRECTORY
 * gives the folder of your files; keep the event handles to log contacts
 * and to report stored messages being sent. */
RADIO_EXPORT void RADIO_CALL INITTITLEBARFLAG(RadioFlag wantTitleBars) { (void)wantTitleBars; }
RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char* directory) { (void)directory; }
RADIO_EXPORT void RADIO_CALL SETLOGREQUESTEVENTHANDLE(RadioEvent logRequest, int32_t radio) {
  (void)logRequest; (void)radio;
}
RADIO_EXPORT void RADIO_CALL SETMSGEVENTHANDLES(RadioEvent msgOver, RadioEvent msgStart, int32_t radio) {
  (void)msgOver; (void)msgStart; (void)radio;
}

RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char* port, RadioEvent radioChangeEvent, char* connectionText,
                                          int32_t radio) {
  (void)port; /* a real radio opens it; see PORT NAMES in RadioLibrary.h */
  (void)connectionText;
  if (!Valid(radio)) return;
  g_change[radio] = radioChangeEvent;
  /* Tell the program to read frequency, mode and the rest now. */
  RadioSetEvent(radioChangeEvent);
}

RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(int32_t radio) {
  if (Valid(radio)) g_change[radio] = 0; /* and stop every thread you started */
}

RADIO_EXPORT void RADIO_CALL GETFREQUENCY(int32_t* frequency, int32_t radio) {
  if (Valid(radio) && frequency) *frequency = 14025000;
}

RADIO_EXPORT void RADIO_CALL GETMODE(int32_t* modeIndex, int32_t radio) {
  if (Valid(radio) && modeIndex) *modeIndex = 2;
}

RADIO_EXPORT void RADIO_CALL GETNUMMODES(int32_t* count, int32_t radio) {
  if (Valid(radio) && count) *count = 3;
}

RADIO_EXPORT void RADIO_CALL GETMODENAMEATINDEX(int32_t length, char* buffer, int32_t index, int32_t radio) {
  if (!Valid(radio) || !buffer || length < 0) return;
  const char* name = index >= 0 && index < 3 ? kModes[index] : "";
  size_t n = strlen(name) < (size_t)length ? strlen(name) : (size_t)length;
  memcpy(buffer, name, n);
  buffer[n] = '\0';
}
