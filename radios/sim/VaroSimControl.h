/*
 * VaroSimControl.h - the test exports of the simulated Varo radio library.
 *
 * They are outside the radio library contract: only tests (and a curious
 * developer) call them, through dlsym on the loaded VaroSim*.dll.
 *
 * VAROSIM_CONTROL(command, radio): acts on radio 1 or 2 as the operator or
 * the radio would; 1 when done, 0 when the command is not understood. Every
 * command but EVENT sets the radio change event. Commands, NAME=VALUE (name
 * in any case):
 *   FREQ=<Hz>             set the frequency of the VFO in use (GETFREQUENCY's)
 *   FREQA=<Hz>, FREQB=<Hz> set VFO A or B
 *   VFO=A|B               receive on that VFO; SPLIT=ON|OFF transmit on the other
 *   KNOB=<clicks>         turn the radio's tuning knob (negative turns down);
 *                         it tunes the VFO FOCUSVFOKNOB chose (A at first)
 *   STEP=<Hz>             frequency change per knob click (default 10)
 *   NOISE=<tenths>        band noise on the S-meter (10 the usual, 0 none)
 *   SIGNALS=ON|OFF        a station on the frequency now and then
 *   MODE=<name|index>     select a mode
 *   POWER=<W>, SPEED=<WPM>
 *   RIT=ON|OFF, RITFREQ=<Hz>, XIT=ON|OFF, XITFREQ=<Hz>
 *   SUPPORTSRIT=YES|NO, SUPPORTSXIT=YES|NO   capabilities (library-wide)
 *   BAUD=<text>           the baud rate GETBAUDRATE answers
 *   MODES=<a,b,...>       replace the mode list
 *   MACROS=<a,b,...>      replace the macro list (empty: none); a name of a
 *                         default macro keeps its actions, others do nothing
 *   VFOMEMORIES=<n,v;...> replace the VFO memories (empty: none)
 *   EVENT=RADIOCHANGE|LOGREQUEST|MSGSTART|MSGOVER   set that event only;
 *                         0 when the host has not given it (or released it)
 *   RESET                 a new radio's state and capabilities; the
 *                         connection and events stay
 *
 * VAROSIM_QUERY(what, radio): a value of the radio's state; INT32_MIN for
 * an unknown name. FREQ (the VFO in use), FREQA, FREQB, VFO and KNOBVFO
 * ('A' 65 or 'B' 66), SPLIT, MODE, POWER, SPEED, RIT, RITFREQ, XIT, XITFREQ,
 * MACROS (count), TX (transmitting: a message or keyboard text on the air),
 * SMETER (the S-meter's reading in tenths of an S unit),
 * AUTOREPEAT, AUTOREPEATDELAY (s), POWEREDON, VFOMEMORIES (count),
 * CONNECTED, KEYER (keyer thread running), SENDING (slot or -1), BUSY
 * (a message asked for, being keyed, or waiting to repeat slot 0), UNITS0..UNITS5 (length of the
 * slot's message in Morse dot units), STARTS
 * (messages started since load or RESET), LASTKEYINGMS (time of the last
 * completed message from its start event to its over event, measured by
 * the keyer; -1 before any), SUPPORTSRIT, SUPPORTSXIT, TITLEBARS.
 *
 * VAROSIM_TRACE(buffer, length): copies the call trace (one line per export
 * call, oldest first, each ending in "\n") into the buffer, at most length
 * characters and a terminator; answers the whole trace's length. A line is
 * NAME(arg, arg, ...): texts in double quotes, out-parameters as "&" and the
 * value they held on entry, fill-in buffers as "buf", characters as 'A'.
 * Text keyed from the panels (the CW keyboard, a macro's SEND) adds a line
 * SENDTEXT("TEXT", radio), upper-cased as keyed; no other panel action
 * leaves a line.
 * VAROSIM_CLEARTRACE(): empties the trace.
 *
 * VAROSIM_SETLOGGRIDCLOCK(utc, radio): fixes the moment the radio's logging
 * grid stamps and logs with (days since 1899-12-30, UTC); 0 gives it the
 * system clock again.
 */
#ifndef TALVEX_VAROSIMCONTROL_H
#define TALVEX_VAROSIMCONTROL_H

#include <stdint.h>

#include "../../src/radiolib/RadioLibrary.h"

#ifdef __cplusplus
extern "C" {
#endif

RADIO_EXPORT int32_t RADIO_CALL VAROSIM_CONTROL(const char* command, int32_t radio);
RADIO_EXPORT int32_t RADIO_CALL VAROSIM_QUERY(const char* what, int32_t radio);
RADIO_EXPORT int32_t RADIO_CALL VAROSIM_TRACE(char* buffer, int32_t length);
RADIO_EXPORT void RADIO_CALL VAROSIM_CLEARTRACE(void);
RADIO_EXPORT void RADIO_CALL VAROSIM_SETLOGGRIDCLOCK(double utc, int32_t radio);

#ifdef __cplusplus
}
#endif

typedef int32_t(RADIO_CALL* VaroSimFn_CONTROL)(const char*, int32_t);
typedef int32_t(RADIO_CALL* VaroSimFn_QUERY)(const char*, int32_t);
typedef int32_t(RADIO_CALL* VaroSimFn_TRACE)(char*, int32_t);
typedef void(RADIO_CALL* VaroSimFn_CLEARTRACE)(void);
typedef void(RADIO_CALL* VaroSimFn_SETLOGGRIDCLOCK)(double, int32_t);

#endif /* TALVEX_VAROSIMCONTROL_H */
