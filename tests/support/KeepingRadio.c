/*
 * KeepingRadio.dll - a radio library for the binding's tests that does what
 * the contract allows and a careless host would not survive: it keeps every
 * text pointer it is handed and reads through it later, and it answers the
 * list counts a test sets, however large.
 *
 * Test exports, outside the contract:
 *   KEEPING_TEXT(which, out, length): copies the text the kept pointer shows
 *     now ("" when none was kept). which: CONNECTION, DIRECTORY, NAMES, LOG,
 *     DEFAULTLOG, BANDLIMITS, MSG0..MSG5, MACRO, BAUD, DELAY, VFOMEMORY.
 *   KEEPING_SETCOUNT(count): what GETNUMMODES, GETNUMMACROS and
 *     GETNUMVFOMEMORIES answer from now on.
 *   KEEPING_LISTCALLS(): how many name or memory texts were asked for.
 */
#include <stdint.h>
#include <string.h>

#include "RadioLibrary.h"

static const char* g_connection, *g_directory, *g_names, *g_log, *g_defaultLog, *g_bandLimits;
static const char* g_messages[6];
static const char* g_macro, *g_baud, *g_delay, *g_vfoMemory;
static int32_t g_count;
static int32_t g_listCalls;

RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char* port, RadioEvent event, char* text, int32_t radio) {
  (void)port; (void)event; (void)radio;
  g_connection = text;
}
RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char* directory) { g_directory = directory; }
RADIO_EXPORT void RADIO_CALL INITTITLEBARFLAG(RadioFlag wantTitleBars) { (void)wantTitleBars; }
RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(int32_t radio) { (void)radio; }
RADIO_EXPORT void RADIO_CALL SETNAMESHISTORYFILE(char* path, int32_t radio) { (void)radio; g_names = path; }
RADIO_EXPORT void RADIO_CALL SETLOGFILE(RadioFlag isAdif, char* path, int32_t radio) {
  (void)isAdif; (void)radio;
  g_log = path;
}
RADIO_EXPORT void RADIO_CALL SETDEFAULTLOGFILE(char* path, int32_t radio) { (void)radio; g_defaultLog = path; }
RADIO_EXPORT void RADIO_CALL UPDATEBANDLIMITS(char* path) { g_bandLimits = path; }
RADIO_EXPORT void RADIO_CALL SETMSGATINDEX(char* text, int32_t index, int32_t radio) {
  (void)radio;
  if (index >= 0 && index < 6) g_messages[index] = text;
}
RADIO_EXPORT void RADIO_CALL RUNMACRO(char* name, int32_t radio) { (void)radio; g_macro = name; }
RADIO_EXPORT void RADIO_CALL SETBAUDRATE(char* baud, int32_t radio) { (void)radio; g_baud = baud; }
RADIO_EXPORT void RADIO_CALL SETAUTOREPEATDELAYTIME(char* seconds, int32_t radio) { (void)radio; g_delay = seconds; }
RADIO_EXPORT void RADIO_CALL STOREVFOMEMORY(char* memory, int32_t radio) { (void)radio; g_vfoMemory = memory; }

static void CountAnswer(int32_t* count) { *count = g_count; }
static void NameAnswer(int32_t length, char* buffer) {
  ++g_listCalls;
  if (length >= 1) { buffer[0] = 'X'; buffer[1] = '\0'; }
}
RADIO_EXPORT void RADIO_CALL GETNUMMODES(int32_t* count, int32_t radio) { (void)radio; CountAnswer(count); }
RADIO_EXPORT void RADIO_CALL GETNUMMACROS(int32_t* count, int32_t radio) { (void)radio; CountAnswer(count); }
RADIO_EXPORT void RADIO_CALL GETNUMVFOMEMORIES(int32_t* count, int32_t radio) { (void)radio; CountAnswer(count); }
RADIO_EXPORT void RADIO_CALL GETMODENAMEATINDEX(int32_t length, char* buffer, int32_t index, int32_t radio) {
  (void)index; (void)radio;
  NameAnswer(length, buffer);
}
RADIO_EXPORT void RADIO_CALL GETMACRONAMEATINDEX(int32_t length, char* buffer, int32_t index, int32_t radio) {
  (void)index; (void)radio;
  NameAnswer(length, buffer);
}
RADIO_EXPORT void RADIO_CALL GETVFOMEMORYATINDEX(int32_t length, char* buffer, int32_t index, int32_t radio) {
  (void)index; (void)radio;
  NameAnswer(length, buffer);
}

static const char* Kept(const char* which) {
  if (!strcmp(which, "CONNECTION")) return g_connection;
  if (!strcmp(which, "DIRECTORY")) return g_directory;
  if (!strcmp(which, "NAMES")) return g_names;
  if (!strcmp(which, "LOG")) return g_log;
  if (!strcmp(which, "DEFAULTLOG")) return g_defaultLog;
  if (!strcmp(which, "BANDLIMITS")) return g_bandLimits;
  if (!strncmp(which, "MSG", 3) && which[3] >= '0' && which[3] <= '5' && !which[4]) return g_messages[which[3] - '0'];
  if (!strcmp(which, "MACRO")) return g_macro;
  if (!strcmp(which, "BAUD")) return g_baud;
  if (!strcmp(which, "DELAY")) return g_delay;
  if (!strcmp(which, "VFOMEMORY")) return g_vfoMemory;
  return 0;
}

RADIO_EXPORT void KEEPING_TEXT(const char* which, char* out, int32_t length) {
  const char* kept = Kept(which);
  if (length < 1) return;
  out[0] = '\0';
  if (kept) {
    strncpy(out, kept, (size_t)length - 1);
    out[length - 1] = '\0';
  }
}
RADIO_EXPORT void KEEPING_SETCOUNT(int32_t count) { g_count = count; }
RADIO_EXPORT int32_t KEEPING_LISTCALLS(void) { return g_listCalls; }
