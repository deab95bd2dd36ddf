/*
 * RadioLibrary.h - the contract between Talvex and a radio library.
 *
 * This header is all a radio library needs from Talvex. It is plain C and may
 * be included from C or C++.
 *
 * WHAT A RADIO LIBRARY IS
 *   Talvex never speaks a transceiver's command protocol. Each supported radio
 *   comes with a radio library: a shared library that runs the serial
 *   conversation with the radio, keys stored CW messages, shows its own panels
 *   if it has any, and tells Talvex about happenings through four events.
 *
 * HOW A LIBRARY IS FOUND
 *   The devices file Devices/Dravel_DEVICES.txt (beside the program) holds one
 *   line per radio:
 *       RADIO=name,library,baud,extra1,extra2,extra3,extra4
 *   "library" is the library's file name, relative to the Devices folder, and
 *   the library file lives in that folder. When the field does not contain
 *   ".dll" (case-sensitive), ".dll" is appended. The file keeps the ".dll"
 *   ending on every platform: on Linux it is an ordinary ELF shared object
 *   named, for example, Devices/VaroSim.dll.
 *
 * HOW IT IS LOADED
 *   With dlopen(path, RTLD_NOW | RTLD_LOCAL) (LoadLibraryA on Windows). Every
 *   symbol is bound at load time: a library that needs a symbol the host does
 *   not provide fails to load. The one host symbol a library may use is
 *   RadioSetEvent (below), exported by the Talvex executable. After loading,
 *   Talvex looks up each of the 94 names of RADIO_LIBRARY_EXPORTS by its exact
 *   upper-case name (dlsym / GetProcAddress). Every export is optional: a
 *   missing one is reported to the user, or answered with a neutral value,
 *   only when Talvex needs it. CONNECTRADIO alone is needed to connect.
 *   On ELF build with -fvisibility=hidden and mark exports with RADIO_EXPORT;
 *   on 32-bit Windows export the undecorated names (with a .def file).
 *
 * HOW IT IS CALLED
 *   - Calling convention RADIO_CALL: __stdcall on 32-bit Windows, the
 *     platform's C convention elsewhere.
 *   - A flag is a RadioFlag (one byte, 0 or 1); an out-flag points to one.
 *     Integers are int32_t. Texts are NUL-terminated single-byte strings;
 *     a text the library fills comes with its buffer and, where stated, the
 *     number of characters it may write (the buffer has room for one more,
 *     the terminator).
 *   - The radio number (1 = left radio, 2 = right radio) is the last argument
 *     of every export that takes one. INITTITLEBARFLAG, SETRADIODIRECTORY,
 *     SUPPORTSRIT, SUPPORTSXIT, UPDATEBANDLIMITS and SETCENTEREDFORMSINFO
 *     take none. Two radios may be driven by the same library file, which is
 *     then loaded once: keep state per radio number.
 *   - Texts handed to the library (every char* argument) stay valid after
 *     the call returns: each export has its own buffer per loaded library
 *     (SETMSGATINDEX one per slot 0..5), which keeps the text until the
 *     same export is called again (for SETMSGATINDEX: for the same slot) or
 *     the library is unloaded after DISCONNECTRADIO. A new call overwrites
 *     the buffer in place, so a kept pointer always shows the latest text,
 *     terminated. Texts are UTF-8; a path is the file system's own bytes.
 *   - Widths: no text is longer than this header says: the port buffer 6
 *     characters, the connection text 64, a path 260, a message 100, a
 *     macro name 30, the baud rate and the Auto CQ delay texts 10 each, a
 *     VFO memory 14. Talvex cuts longer values before the call.
 *   - Counts: of GETNUMMODES, GETNUMMACROS and GETNUMVFOMEMORIES at most
 *     256 are used (a negative count as 0); Talvex asks for no index beyond.
 *   - Return values are ignored; results come back through out-parameters,
 *     which Talvex presets (GETMSGID to -1, SUPPORTSRIT/XIT to 0).
 *   - Order of a connection: INITTITLEBARFLAG, CONNECTRADIO,
 *     SETRADIODIRECTORY, then the event handles, file names and options.
 *     A library without INITTITLEBARFLAG, SETLOGREQUESTEVENTHANDLE or
 *     SETMSGEVENTHANDLES still connects, but the user is told of the
 *     missing export whenever it is called: even a library with no use for
 *     them should export them.
 *     DISCONNECTRADIO is followed at once by unloading the library, so it must
 *     stop every thread the library started. (Stopping them again when the
 *     library is unloaded, from a static destructor, is good practice.)
 *
 * THREADS
 *   - Every call into a library is made on the program's main thread: the
 *     connection calls, the panels and options, and the refresh after a
 *     radio change (GETFREQUENCY, GETRITISON, GETRITFREQ, GETXITISON,
 *     GETXITFREQ, GETMODE, GETOUTPUTPOWER, GETKEYERSPEED, GETBAUDRATE),
 *     which the program runs as one step on its main thread when the radio
 *     change event wakes it. No two calls into one library ever overlap in
 *     time on two threads.
 *   - Calls may be re-entered, though: while a modal dialog runs (one the
 *     library shows from SHOWCONFIG, or a message box of the program), the
 *     main thread's event loop runs, and a listener step may call the
 *     library again (a getter, SENDMSGATINDEX ...) before the first call
 *     returns. Keep no state half-changed across a dialog, and do not hold
 *     a non-recursive lock while one runs.
 *   - The library's own threads (a keyer, a poll of the radio) are its
 *     business. They must not call into the program except RadioSetEvent,
 *     which any thread may call at any time; what they learn reaches the
 *     program through the getters the next refresh calls. State shared
 *     between them and the exports is the library's to lock.
 *
 * PORT NAMES
 *   Port names stay COM0..COM254 (the port buffer of CONNECTRADIO) on every
 *   platform. Where the system has no COM ports (Linux, BSD, macOS) a port
 *   table maps each name to a device file, and a library that opens the
 *   port itself must use the same table:
 *     1. the lines COMn=/dev/... of Devices/Dravel_PORTS.txt (beside the
 *        library file: SETRADIODIRECTORY/Dravel_PORTS.txt), e.g.
 *        COM3=/dev/ttyUSB0; names in any case, blanks around name and
 *        device ignored, the first line of a name counts;
 *     2. for names those lines do not use, the defaults
 *        /dev/ttyS0..31 -> COM1..COM32, /dev/ttyUSB0..31 -> COM33..COM64,
 *        /dev/ttyACM0..31 -> COM65..COM96.
 *   On Windows the name is the system's own.
 *
 * WIDGETS
 *   A library may show windows of its own (panels, dialogs) with the Qt
 *   Widgets of the program's Qt build, but only when a QApplication exists
 *   (qobject_cast<QApplication*>(QCoreApplication::instance()) is not null;
 *   a test or a program without a display may have none, and then the panel
 *   exports just return), only on the main thread (from an export, never
 *   from the library's own threads), and every widget it made must be gone
 *   (deleted, not merely hidden or handed to deleteLater) before
 *   DISCONNECTRADIO returns: the library's code is unloaded right after.
 *   A modal dialog re-enters the library (see THREADS).
 *
 * HOW IT SIGNALS
 *   Talvex hands the library four event handles; the library calls
 *   RadioSetEvent(handle) to set one. Events are auto-reset: any number of
 *   sets before the listener wakes give one wake.
 *   - radio change (given to CONNECTRADIO): something about the radio changed;
 *     Talvex then asks for frequency, mode, power, keyer speed and baud rate.
 *     Do not set it from inside those getters.
 *   - log request (SETLOGREQUESTEVENTHANDLE): log the contact in progress.
 *   - message start and message over (SETMSGEVENTHANDLES, over event FIRST):
 *     set start when a stored message starts being sent (GETMSGID must then
 *     answer its slot), and over when it ends or is stopped.
 *   A handle Talvex has released is harmless to set: RadioSetEvent answers 0.
 */
#ifndef TALVEX_RADIOLIBRARY_H
#define TALVEX_RADIOLIBRARY_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define RADIO_CALL __stdcall
#else
#define RADIO_CALL
#endif

#if defined(_WIN32)
#define RADIO_EXPORT __declspec(dllexport)
#else
#define RADIO_EXPORT __attribute__((visibility("default")))
#endif

typedef uint8_t RadioFlag;   /* 0 or 1 */
typedef uint32_t RadioEvent; /* an event handle for RadioSetEvent */

#define RADIO_EXPORT_COUNT 94

/*
 * The 94 export names in table order, each with the name Talvex's binding
 * gives it (its function pointer is "p" + that name). Use as an X-macro:
 *   #define NAME_ONLY(NAME, Mixed) #NAME,
 *   const char* names[] = { RADIO_LIBRARY_EXPORTS(NAME_ONLY) };
 */
#define RADIO_LIBRARY_EXPORTS(X)                                              \
  X(VERSIONNO, VersionNo) X(WEBSITEURL, WebsiteUrl) X(PICFILE, PicFile)       \
  X(MANUALFILE, ManualFile) X(PORTINFO, PortInfo)                             \
  X(STOREVFOMEMORY, StoreVFOMemory) X(GETNUMVFOMEMORIES, GetNumVFOMemories)   \
  X(GETVFOMEMORYATINDEX, GetVFOMemoryAtIndex) X(CONNECTRADIO, ConnectRadio)   \
  X(DISCONNECTRADIO, DisconnectRadio)                                         \
  X(SETLOGREQUESTEVENTHANDLE, SetLogRequestEventHandle)                       \
  X(SETMSGEVENTHANDLES, SetMsgEventHandles) X(GETMSGID, GetMsgId)             \
  X(CHANGEFREQUENCY, ChangeFrequency) X(GETFREQUENCY, GetFrequency)           \
  X(READFREQUENCY, ReadFrequency) X(GETOUTPUTPOWER, GetOutputPower)           \
  X(GETRITISON, GetRitIsOn) X(GETXITISON, GetXitIsOn)                         \
  X(GETRITFREQ, GetRitFreq) X(GETXITFREQ, GetXitFreq)                         \
  X(CLEARRITFREQ, ClearRitFreq) X(MOVERITFREQUP, MoveRitFreqUp)               \
  X(MOVERITFREQDOWN, MoveRitFreqDown) X(SETRITSTATUS, SetRitStatus)           \
  X(READRITSTATUS, ReadRitStatus) X(SETXITSTATUS, SetXitStatus)               \
  X(READXITSTATUS, ReadXitStatus) X(CHANGEPADDLESPEED, ChangePaddleSpeed)     \
  X(INCREMENTPADDLESPEED, IncrementPaddleSpeed)                               \
  X(SENDMORSEMESSAGE, SendMorseMessage) X(SETMSGATINDEX, SetMsgAtIndex)       \
  X(SENDMSGATINDEX, SendMsgAtIndex)                                           \
  X(SENDAUTOREPEATMESSAGE, SendAutoRepeatMessage)                             \
  X(STOPAUTOREPEATMESSAGE, StopAutoRepeatMessage)                             \
  X(SETAUTOREPEATDELAYTIME, SetAutoRepeatDelayTime)                           \
  X(SETAUTOREPEATSTATUS, SetAutoRepeatStatus) X(RUNSPLITMACRO, RunSplitMacro) \
  X(RUNMACRO, RunMacro) X(GETNUMMACROS, GetNumMacros)                         \
  X(GETMACRONAMEATINDEX, GetMacroNameAtIndex) X(TOGGLESWRTUNE, ToggleSwrTune) \
  X(CHANGEAFGAIN, ChangeAfGain) X(SETBAUDRATE, SetBaudRate)                   \
  X(CHANGEMODE, ChangeMode) X(GETMODE, GetMode) X(GETNUMMODES, GetNumModes)   \
  X(GETMODENAMEATINDEX, GetModeNameAtIndex) X(READMODE, ReadMode)             \
  X(GETKEYERSPEED, GetKeyerSpeed) X(GETBAUDRATE, GetBaudRate)                 \
  X(SHOWABOUT, ShowAbout) X(SHOWMORECONTROLS, ShowMoreControls)               \
  X(SHOWSMALLMORECONTROLS, ShowSmallMoreControls) X(SHOWCONFIG, ShowConfig)   \
  X(SHOWPIGKNOBCONFIG, ShowPigKnobConfig) X(ADDMACROS, AddMacros)             \
  X(REMOVEMACROS, RemoveMacros) X(MODIFYMACROS, ModifyMacros)                 \
  X(SHOWKEYBOARD, ShowKeyboard) X(HIDEKEYBOARD, HideKeyboard)                 \
  X(SHOWLOGGRID, ShowLogGrid) X(HIDELOGGRID, HideLogGrid)                     \
  X(SHOWMSGBUTTONS, ShowMsgButtons) X(HIDEMSGBUTTONS, HideMsgButtons)         \
  X(INITTITLEBARFLAG, InitTitleBarFlag) X(SHOWTITLEBARS, ShowTitleBars)       \
  X(HIDETITLEBARS, HideTitleBars) X(HIDECONFIGPANEL, HideConfigPanel)         \
  X(HIDECLOSEPANEL, HideClosePanel) X(HIDESMALLPANEL, HideSmallPanel)         \
  X(SHOWSMALLPANEL, ShowSmallPanel)                                           \
  X(REMOVEMOREFORMCAPTION, RemoveMoreFormCaption)                             \
  X(DISABLEMOREFORMESCAPEKEY, DisableMoreFormEscapeKey)                       \
  X(TURNOFFRADIO, TurnOffRadio) X(SETSHOWMEMBERS, SetShowMembers)             \
  X(SETNAMESHISTORYFILE, SetNamesHistoryFile) X(SETLOGFILE, SetLogFile)       \
  X(SETWANTSLOG, SetWantsLog) X(SETDEFAULTLOGFILE, SetDefaultLogFile)         \
  X(SUPPORTSMORECONTROLS, SupportsMoreControls)                               \
  X(SUPPORTSSMALLMORECONTROLS, SupportsSmallMoreControls)                     \
  X(SETENDTIMES, SetEndTimes) X(SETSTARTTIME, SetStartTime)                   \
  X(SUPPORTSRIT, SupportsRit) X(SUPPORTSXIT, SupportsXit)                     \
  X(PORTCONNECTSTORADIO, PortConnectsToRadio)                                 \
  X(SETRADIODIRECTORY, SetRadioDirectory)                                     \
  X(UPDATEBANDLIMITS, UpdateBandLimits)                                       \
  X(GETSECSINCELASTRESPONSE, GetSecsinceLastResponse)                         \
  X(RADIOISPAGING, RadioIsPaging)                                             \
  X(SETRADIOFOCUSTOPAGING, SetRadioFocusToPaging)                             \
  X(SETCENTEREDFORMSINFO, SetCenteredFormsInfo) X(FOCUSVFOKNOB, FocusVfoKnob)

/*
 * The 58 exports Talvex calls, in table order. Their shapes are fixed below.
 * The other 36 are looked up and kept but never called; their parameter
 * lists are the library's own (RadioFn_Unspecified stands for them).
 */
#define RADIO_LIBRARY_CALLED_EXPORTS(X)                                         \
  X(STOREVFOMEMORY) X(GETNUMVFOMEMORIES) X(GETVFOMEMORYATINDEX) X(CONNECTRADIO) \
  X(DISCONNECTRADIO) X(SETLOGREQUESTEVENTHANDLE) X(SETMSGEVENTHANDLES)          \
  X(GETMSGID) X(GETFREQUENCY) X(READFREQUENCY) X(GETOUTPUTPOWER) X(GETRITISON)  \
  X(GETXITISON) X(GETRITFREQ) X(GETXITFREQ) X(SETMSGATINDEX) X(SENDMSGATINDEX)  \
  X(STOPAUTOREPEATMESSAGE) X(SETAUTOREPEATDELAYTIME) X(SETAUTOREPEATSTATUS)     \
  X(RUNMACRO) X(GETNUMMACROS) X(GETMACRONAMEATINDEX) X(SETBAUDRATE) X(GETMODE)  \
  X(GETNUMMODES) X(GETMODENAMEATINDEX) X(READMODE) X(GETKEYERSPEED)             \
  X(GETBAUDRATE) X(SHOWMORECONTROLS) X(SHOWCONFIG) X(SHOWPIGKNOBCONFIG)         \
  X(ADDMACROS) X(SHOWKEYBOARD) X(HIDEKEYBOARD) X(SHOWLOGGRID) X(HIDELOGGRID)    \
  X(SHOWMSGBUTTONS) X(HIDEMSGBUTTONS) X(INITTITLEBARFLAG) X(SHOWTITLEBARS)      \
  X(HIDETITLEBARS) X(HIDECONFIGPANEL) X(HIDECLOSEPANEL) X(HIDESMALLPANEL)       \
  X(TURNOFFRADIO) X(SETSHOWMEMBERS) X(SETNAMESHISTORYFILE) X(SETLOGFILE)        \
  X(SETWANTSLOG) X(SETDEFAULTLOGFILE) X(SUPPORTSRIT) X(SUPPORTSXIT)             \
  X(SETRADIODIRECTORY) X(UPDATEBANDLIMITS) X(SETCENTEREDFORMSINFO) X(FOCUSVFOKNOB)

#ifdef __cplusplus
extern "C" {
#endif

/* Exported by the host program: sets an event Talvex handed to the library.
 * Non-zero when set; 0 (and nothing happens) for a released handle. The one
 * function any thread of the library may call, at any time. */
int RadioSetEvent(uint32_t handle);

/* ---- Connection ---------------------------------------------------------- */

/* The want-title-bars option; called immediately before CONNECTRADIO. */
RADIO_EXPORT void RADIO_CALL INITTITLEBARFLAG(RadioFlag wantTitleBars);
/* portBuffer: 7 bytes holding the serial port name (at most 6 characters,
 * e.g. "COM12"); the library may change the name within those 7 bytes and
 * Talvex keeps what it finds there. radioChangeEvent: set it whenever the
 * radio's state changes. connectionText: the devices-file fields with the
 * baud rate substituted and the RTS/DTR code appended, at most 64
 * characters: name,library,baud,extra1,extra2,extra3,extra4,RTSDTR where
 * RTSDTR is one of PRPD, PRND, NRPD, NRND. The connection counts as made
 * when the call returns. */
RADIO_EXPORT void RADIO_CALL CONNECTRADIO(char* portBuffer, RadioEvent radioChangeEvent,
                                          char* connectionText, int32_t radio);
/* The folder of the library file, without a trailing separator; called
 * immediately after CONNECTRADIO. */
RADIO_EXPORT void RADIO_CALL SETRADIODIRECTORY(char* directory);
/* Close the connection and stop every thread: the library is unloaded next. */
RADIO_EXPORT void RADIO_CALL DISCONNECTRADIO(int32_t radio);
RADIO_EXPORT void RADIO_CALL SETLOGREQUESTEVENTHANDLE(RadioEvent logRequestEvent, int32_t radio);
/* Note the order: the message over event comes first. */
RADIO_EXPORT void RADIO_CALL SETMSGEVENTHANDLES(RadioEvent msgOverEvent, RadioEvent msgStartEvent,
                                                int32_t radio);

/* ---- Radio state (GET* are asked after each radio change) ---------------- */

/* Frequency in Hz. */
RADIO_EXPORT void RADIO_CALL GETFREQUENCY(int32_t* frequency, int32_t radio);
/* Read the frequency from the radio now (then set the radio change event). */
RADIO_EXPORT void RADIO_CALL READFREQUENCY(int32_t radio);
RADIO_EXPORT void RADIO_CALL GETOUTPUTPOWER(int32_t* power, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETRITISON(RadioFlag* isOn, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETXITISON(RadioFlag* isOn, int32_t radio);
/* RIT (XIT) offset in Hz. */
RADIO_EXPORT void RADIO_CALL GETRITFREQ(int32_t* offset, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETXITFREQ(int32_t* offset, int32_t radio);
/* Whether the radio has RIT (XIT) at all; preset to 0. */
RADIO_EXPORT void RADIO_CALL SUPPORTSRIT(RadioFlag* supported);
RADIO_EXPORT void RADIO_CALL SUPPORTSXIT(RadioFlag* supported);
/* The current mode as an index into the mode names. */
RADIO_EXPORT void RADIO_CALL GETMODE(int32_t* modeIndex, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETNUMMODES(int32_t* count, int32_t radio);
/* Write mode name 'index' (0-based), at most 'length' (9) characters. */
RADIO_EXPORT void RADIO_CALL GETMODENAMEATINDEX(int32_t length, char* buffer, int32_t index,
                                                int32_t radio);
/* Read the mode from the radio now (then set the radio change event). */
RADIO_EXPORT void RADIO_CALL READMODE(int32_t radio);
RADIO_EXPORT void RADIO_CALL GETKEYERSPEED(int32_t* wordsPerMinute, int32_t radio);
/* The serial baud rate as decimal text. */
RADIO_EXPORT void RADIO_CALL SETBAUDRATE(char* baud, int32_t radio);
/* Write the baud rate as text of at most 'length' (6) characters. */
RADIO_EXPORT void RADIO_CALL GETBAUDRATE(int32_t length, char* buffer, int32_t radio);
/* Which knob the VFO controls go to: 'A' or 'B'. */
RADIO_EXPORT void RADIO_CALL FOCUSVFOKNOB(char knob, int32_t radio);

/* ---- VFO memories: text form "name,value", name at most 4 characters ----- */

RADIO_EXPORT void RADIO_CALL STOREVFOMEMORY(char* memory, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETNUMVFOMEMORIES(int32_t* count, int32_t radio);
/* Write memory 'index' (0-based), at most 'length' (14) characters. */
RADIO_EXPORT void RADIO_CALL GETVFOMEMORYATINDEX(int32_t length, char* buffer, int32_t index,
                                                 int32_t radio);

/* ---- Stored messages (slots 0..5: CQ, MSG1..MSG4, 73) --------------------- */

/* Message text of a slot, already upper case with the contact filled in. */
RADIO_EXPORT void RADIO_CALL SETMSGATINDEX(char* text, int32_t index, int32_t radio);
/* Start sending a slot: set the start event, key it, set the over event. */
RADIO_EXPORT void RADIO_CALL SENDMSGATINDEX(int32_t index, int32_t radio);
/* The slot being sent, or leave the preset -1 when none is. */
RADIO_EXPORT void RADIO_CALL GETMSGID(int32_t* slot, int32_t radio);
/* Stop sending at once and cancel a pending automatic repeat. */
RADIO_EXPORT void RADIO_CALL STOPAUTOREPEATMESSAGE(int32_t radio);
/* Auto CQ: the pause between repetitions of slot 0, in seconds, as text. */
RADIO_EXPORT void RADIO_CALL SETAUTOREPEATDELAYTIME(char* seconds, int32_t radio);
/* Auto CQ on or off: while on, slot 0 repeats after the delay. */
RADIO_EXPORT void RADIO_CALL SETAUTOREPEATSTATUS(RadioFlag on, int32_t radio);

/* ---- Macros --------------------------------------------------------------- */

/* Run the macro of that name (at most 30 characters). */
RADIO_EXPORT void RADIO_CALL RUNMACRO(char* name, int32_t radio);
RADIO_EXPORT void RADIO_CALL GETNUMMACROS(int32_t* count, int32_t radio);
/* Write macro name 'index', at most 'length' (30) characters. */
RADIO_EXPORT void RADIO_CALL GETMACRONAMEATINDEX(int32_t length, char* buffer, int32_t index,
                                                 int32_t radio);

/* ---- The library's own panels and dialogs --------------------------------- */

RADIO_EXPORT void RADIO_CALL SHOWKEYBOARD(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDEKEYBOARD(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWLOGGRID(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDELOGGRID(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWMSGBUTTONS(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDEMSGBUTTONS(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWTITLEBARS(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDETITLEBARS(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWCONFIG(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWPIGKNOBCONFIG(int32_t radio);
RADIO_EXPORT void RADIO_CALL ADDMACROS(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDECONFIGPANEL(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDECLOSEPANEL(int32_t radio);
RADIO_EXPORT void RADIO_CALL HIDESMALLPANEL(int32_t radio);
RADIO_EXPORT void RADIO_CALL SHOWMORECONTROLS(int32_t radio);
/* Switch the radio off. */
RADIO_EXPORT void RADIO_CALL TURNOFFRADIO(int32_t radio);
/* The main window's bounds in screen pixels; flag is always 0. Note the order. */
RADIO_EXPORT void RADIO_CALL SETCENTEREDFORMSINFO(int32_t bottom, int32_t top, int32_t right,
                                                  int32_t left, RadioFlag flag);

/* ---- Files and logging options ------------------------------------------- */

/* Display of club memberships; note the order: CWOps first. */
RADIO_EXPORT void RADIO_CALL SETSHOWMEMBERS(RadioFlag showCwops, RadioFlag showFoc, int32_t radio);
/* The operator names file. */
RADIO_EXPORT void RADIO_CALL SETNAMESHISTORYFILE(char* path, int32_t radio);
/* The user's local log file and whether it is an ADIF file. */
RADIO_EXPORT void RADIO_CALL SETLOGFILE(RadioFlag isAdif, char* path, int32_t radio);
RADIO_EXPORT void RADIO_CALL SETWANTSLOG(RadioFlag wantsLog, int32_t radio);
RADIO_EXPORT void RADIO_CALL SETDEFAULTLOGFILE(char* path, int32_t radio);
/* The radio restart file, with its BANDLIMIT= lines; called each time it
 * has been written. */
RADIO_EXPORT void RADIO_CALL UPDATEBANDLIMITS(char* path);

#ifdef __cplusplus
}
#endif

/* ---- Function pointer types for a host binding --------------------------- */

typedef void(RADIO_CALL* RadioFn_Unspecified)(void);

typedef void(RADIO_CALL* RadioFn_INITTITLEBARFLAG)(RadioFlag);
typedef void(RADIO_CALL* RadioFn_CONNECTRADIO)(char*, RadioEvent, char*, int32_t);
typedef void(RADIO_CALL* RadioFn_SETRADIODIRECTORY)(char*);
typedef void(RADIO_CALL* RadioFn_DISCONNECTRADIO)(int32_t);
typedef void(RADIO_CALL* RadioFn_SETLOGREQUESTEVENTHANDLE)(RadioEvent, int32_t);
typedef void(RADIO_CALL* RadioFn_SETMSGEVENTHANDLES)(RadioEvent, RadioEvent, int32_t);
typedef void(RADIO_CALL* RadioFn_GETFREQUENCY)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_READFREQUENCY)(int32_t);
typedef void(RADIO_CALL* RadioFn_GETOUTPUTPOWER)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETRITISON)(RadioFlag*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETXITISON)(RadioFlag*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETRITFREQ)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETXITFREQ)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_SUPPORTSRIT)(RadioFlag*);
typedef void(RADIO_CALL* RadioFn_SUPPORTSXIT)(RadioFlag*);
typedef void(RADIO_CALL* RadioFn_GETMODE)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETNUMMODES)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETMODENAMEATINDEX)(int32_t, char*, int32_t, int32_t);
typedef void(RADIO_CALL* RadioFn_READMODE)(int32_t);
typedef void(RADIO_CALL* RadioFn_GETKEYERSPEED)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_SETBAUDRATE)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETBAUDRATE)(int32_t, char*, int32_t);
typedef void(RADIO_CALL* RadioFn_FOCUSVFOKNOB)(char, int32_t);
typedef void(RADIO_CALL* RadioFn_STOREVFOMEMORY)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETNUMVFOMEMORIES)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETVFOMEMORYATINDEX)(int32_t, char*, int32_t, int32_t);
typedef void(RADIO_CALL* RadioFn_SETMSGATINDEX)(char*, int32_t, int32_t);
typedef void(RADIO_CALL* RadioFn_SENDMSGATINDEX)(int32_t, int32_t);
typedef void(RADIO_CALL* RadioFn_GETMSGID)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_STOPAUTOREPEATMESSAGE)(int32_t);
typedef void(RADIO_CALL* RadioFn_SETAUTOREPEATDELAYTIME)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_SETAUTOREPEATSTATUS)(RadioFlag, int32_t);
typedef void(RADIO_CALL* RadioFn_RUNMACRO)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETNUMMACROS)(int32_t*, int32_t);
typedef void(RADIO_CALL* RadioFn_GETMACRONAMEATINDEX)(int32_t, char*, int32_t, int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWKEYBOARD)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDEKEYBOARD)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWLOGGRID)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDELOGGRID)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWMSGBUTTONS)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDEMSGBUTTONS)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWTITLEBARS)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDETITLEBARS)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWCONFIG)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWPIGKNOBCONFIG)(int32_t);
typedef void(RADIO_CALL* RadioFn_ADDMACROS)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDECONFIGPANEL)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDECLOSEPANEL)(int32_t);
typedef void(RADIO_CALL* RadioFn_HIDESMALLPANEL)(int32_t);
typedef void(RADIO_CALL* RadioFn_SHOWMORECONTROLS)(int32_t);
typedef void(RADIO_CALL* RadioFn_TURNOFFRADIO)(int32_t);
typedef void(RADIO_CALL* RadioFn_SETCENTEREDFORMSINFO)(int32_t, int32_t, int32_t, int32_t, RadioFlag);
typedef void(RADIO_CALL* RadioFn_SETSHOWMEMBERS)(RadioFlag, RadioFlag, int32_t);
typedef void(RADIO_CALL* RadioFn_SETNAMESHISTORYFILE)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_SETLOGFILE)(RadioFlag, char*, int32_t);
typedef void(RADIO_CALL* RadioFn_SETWANTSLOG)(RadioFlag, int32_t);
typedef void(RADIO_CALL* RadioFn_SETDEFAULTLOGFILE)(char*, int32_t);
typedef void(RADIO_CALL* RadioFn_UPDATEBANDLIMITS)(char*);

/* The exports Talvex never calls. */
typedef RadioFn_Unspecified RadioFn_VERSIONNO, RadioFn_WEBSITEURL, RadioFn_PICFILE,
    RadioFn_MANUALFILE, RadioFn_PORTINFO, RadioFn_CHANGEFREQUENCY, RadioFn_CLEARRITFREQ,
    RadioFn_MOVERITFREQUP, RadioFn_MOVERITFREQDOWN, RadioFn_SETRITSTATUS, RadioFn_READRITSTATUS,
    RadioFn_SETXITSTATUS, RadioFn_READXITSTATUS, RadioFn_CHANGEPADDLESPEED,
    RadioFn_INCREMENTPADDLESPEED, RadioFn_SENDMORSEMESSAGE, RadioFn_SENDAUTOREPEATMESSAGE,
    RadioFn_RUNSPLITMACRO, RadioFn_TOGGLESWRTUNE, RadioFn_CHANGEAFGAIN, RadioFn_CHANGEMODE,
    RadioFn_SHOWABOUT, RadioFn_SHOWSMALLMORECONTROLS, RadioFn_REMOVEMACROS, RadioFn_MODIFYMACROS,
    RadioFn_SHOWSMALLPANEL, RadioFn_REMOVEMOREFORMCAPTION, RadioFn_DISABLEMOREFORMESCAPEKEY,
    RadioFn_SUPPORTSMORECONTROLS, RadioFn_SUPPORTSSMALLMORECONTROLS, RadioFn_SETENDTIMES,
    RadioFn_SETSTARTTIME, RadioFn_PORTCONNECTSTORADIO, RadioFn_GETSECSINCELASTRESPONSE,
    RadioFn_RADIOISPAGING, RadioFn_SETRADIOFOCUSTOPAGING;

#endif /* TALVEX_RADIOLIBRARY_H */
