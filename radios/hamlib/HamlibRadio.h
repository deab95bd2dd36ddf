#pragma once
// One transceiver reached through Hamlib: the values the program reads, its
// four events, the six stored messages with Auto CQ, VFO memories, macros,
// and two threads of its own.
//
// The worker thread owns the Hamlib handle (RigLink): it opens the radio,
// polls it, keys messages, runs macros, and reopens after a loss. The keyer
// thread (the kit's) sets the message events: with keying RIG or NONE it
// times messages (PARIS timing at the radio's keyer speed) and the radio's
// own keyer sends them; with CWDAEMON or WINKEYER the kit's output keys
// them and tells their end.
// Every member may be called from any thread and returns without waiting
// for the radio: one mutex guards the state (taken before the keyer's, never
// the other way), and it is never held across a Hamlib call. Connect waits for the worker to create
// the handle (no I/O). Disconnect ends the keyer and gives the worker
// kDisconnectWait to finish its Hamlib call; a worker stuck longer in one
// (a serial model's open on a dead port takes seconds) is let go: it owns
// nothing of the radio's, touches none of its state once told to stop,
// and the library stays loaded until it has closed its handle and ended.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "HamlibSettings.h"
#include "Keyer.h"
#include "MacroFile.h"
#include "RadioEvents.h"
#include "RadioLibrary.h"
#include "RigLink.h"

namespace hamlibradio {

using radiokit::kMessageSlots;
/// The longest DISCONNECTRADIO waits for the worker's Hamlib call.
constexpr auto kDisconnectWait = std::chrono::milliseconds(250);
constexpr std::size_t kMaxVfoMemories = 100;
/// Messages go at this speed while nothing has told one.
constexpr int kDefaultWpm = 25;

enum class LinkState { Idle, Waiting, Up, Lost, Off, Failed };

/// The words for a link state in the status text: IDLE, WAITING, UP, LOST, OFF, FAILED.
const char* LinkStateName(LinkState state);

/// What the panels and the status export show.
struct RadioStatus {
  bool connected = false;
  int model = 0;
  std::string modelName;
  std::string path;
  std::string keying;
  std::string keyer;  // cwdaemon's or the WinKeyer's state, empty for RIG and NONE
  bool externalKeyer = false;  // keying CWDAEMON or WINKEYER: the library holds the keyer speed
  std::int64_t lastKeyingMs = -1;  // start to over of the last message keyed to its end
  int pollMs = 0;
  int timeoutMs = 0;
  int retry = 0;
  std::string baud;
  LinkState link = LinkState::Idle;
  std::string linkText;   // for the operator
  std::string lastError;  // the last problem, empty when none
  int reports = 0;        // losses and "no answer" reported since connecting
  int recoveries = 0;
  int polls = 0;
  int opens = 0;
  int morseSent = 0;
  std::string lastMorse;
  int sendingSlot = -1;
  bool keyerBusy = false;  // a message asked for, being sent, or waiting to repeat
  RigReading reading;
  std::string modeName;
  RigMeters meters;
  RigAbilities abilities;
  /// A frequency asked for VFO A (B) that the worker has not set yet, else 0.
  std::int64_t pendingHz[2] = {0, 0};
  std::size_t queued = 0;  // commands waiting for the worker
  /// What is being keyed, as far as its Morse time has gone; empty when
  /// nothing is.
  std::string keyedText;
};

/// Waits (at most the guard) for the workers let go at disconnect to end;
/// false when some still run. For the library's end.
bool WaitForLetGoWorkers(std::chrono::milliseconds guard);

class HamlibRadio : private radiokit::KeyerRadio {
 public:
  HamlibRadio();
  /// Stops both threads and closes the radio.
  ~HamlibRadio();
  HamlibRadio(const HamlibRadio&) = delete;
  HamlibRadio& operator=(const HamlibRadio&) = delete;

  /// Reads the connection text and the files beside the library, starts the
  /// worker (which opens the radio) and the keyer, and returns without
  /// waiting for the radio. A connected radio is disconnected first.
  void Connect(const char* portName, RadioEvent radioChangeEvent, const char* connectionText,
               const std::string& libraryDir);
  /// Ends sending, stops both threads, closes the radio and forgets the events.
  void Disconnect();
  bool Connected() const;
  void SetLogRequestEvent(RadioEvent event);
  void SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent);

  /// The last values read; zeros until the radio first answers.
  RigReading Reading() const;
  /// The current mode as an index into ModeNames, -1 while unknown.
  int ModeIndex() const;
  std::vector<std::string> ModeNames() const;
  bool SupportsRit() const;
  bool SupportsXit() const;
  /// Has the worker poll now rather than at the next interval.
  void RequestRead();
  std::string Baud() const;
  /// Kept for the next connection (digits only, at most 10).
  void SetBaud(std::string_view baud);
  /// The VFO the panel's knob tunes (FOCUSVFOKNOB): 'A' or 'B'.
  void SetKnob(char knob);
  char Knob() const;

  void SetMessage(int slot, std::string_view text);
  /// The six stored messages.
  std::vector<std::string> Messages() const;
  /// Starts sending a slot, interrupting what is being sent.
  void Send(int slot);
  /// Ends the message at once and cancels the repeat.
  void Stop();
  void SetAutoRepeat(bool on);
  void SetAutoRepeatDelay(int seconds);
  /// The slot being sent, or -1.
  int SendingSlot() const;

  void StoreMemory(std::string_view text);
  std::vector<std::string> Memories() const;

  std::vector<std::string> MacroNames() const;
  /// Queues the macro's commands for the worker; false for an unknown name.
  bool RunMacro(std::string_view name);
  /// Switches the radio off (where the model can); polling ends.
  void TurnOff();

  /// Queues a panel's action for the worker and returns at once. Of the
  /// frequencies asked for one VFO only the latest waits: a knob turned
  /// fast while the radio is slow sends the last one, not every step.
  /// Ignored while not connected or switched off.
  void Perform(const RigAction& action);
  /// The keyer speed of an external keyer (CWDAEMON, WINKEYER), 5..99;
  /// ignored with keying RIG or NONE, whose speed is the radio's.
  void SetKeyerWpm(int wpm);
  /// Keys free text with the radio's keyer (CW keying RIG and a model that
  /// sends Morse), after what it is keying already.
  void SendText(std::string_view text);
  /// Ends messages and free text at once, where the radio can.
  void StopSending();

  RadioStatus Status() const;
  /// Status as KEY=value lines, for the panels and the tests.
  std::string StatusText() const;

 private:
  struct Command {
    enum class Kind { Morse, StopMorse, PowerOff, Macro, Action } kind;
    std::string text;
    std::uint64_t message = 0;  // the message a Morse command belongs to
    std::vector<std::string> commands;
    RigAction action{};
  };
  using Lock = std::unique_lock<std::mutex>;
  /// Shared by the radio and one worker: it outlives the radio's hold on a
  /// worker that was let go.
  struct WorkerControl {
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool letGo = false;
  };

  void WorkerMain(std::shared_ptr<WorkerControl> control, LinkOptions options, std::string configError);
  void WorkerLoop(const WorkerControl& control, LinkOptions options, std::string configError);
  /// False when the worker was told to stop meanwhile.
  bool Execute(const WorkerControl& control, RigLink& link, const Command& command, Lock& lock);
  int KeyerSpeed() override;
  /// cwdaemon's or the WinKeyer's trouble: told once, as a silent radio is.
  void KeyerTrouble(const std::string& text, bool recovered) override;
  /// The WinKeyer's speed pot: the keyer speed from now on.
  void KeyerPotSpeed(int wpm) override;
  void MessageStarted(int slot, const std::string& text, std::uint64_t message) override;
  /// The worker's side of Perform; false when told to stop meanwhile.
  bool ExecuteAction(const WorkerControl& control, RigLink& link, RigAction action, Lock& lock);
  /// Remembers what the radio's keyer is sending, for the panel's line.
  void Keyed(Lock& lock, const std::string& text);
  std::string KeyedSoFar(Lock& lock) const;
  bool KeyingNow(Lock& lock) const;
  void Apply(Lock& lock, const RigReading& reading);
  /// The reading with the keyer speed an external keyer goes at.
  RigReading WithKeyerSpeed(Lock& lock, RigReading reading) const;
  void Answered(Lock& lock, const RigReading& reading);
  void NotAnswered(Lock& lock, const std::string& error);
  void LinkLost(Lock& lock, const std::string& error);
  void Report(Lock& lock, const std::string& text);
  /// Appends a line to the log beside the library (and to stderr).
  void Log(Lock& lock, const std::string& text, bool alsoStderr = false);
  void Raise(Lock& lock, radiokit::RadioEventKind kind);
  void Queue(Command command);
  /// Has the worker stop the radio's own keyer, where it can.
  void StopRigKeyer(Lock& lock);
  std::string Who() const;

  mutable std::mutex m_mutex;
  std::condition_variable m_workerWake;
  std::condition_variable m_initDone;

  bool m_connected = false;
  std::string m_libraryDir;

  // What the connection asked for and what the model offers.
  ConnectionSettings m_settings;
  LinkOptions m_options;
  bool m_initialised = false;
  ModelInfo m_info;
  std::vector<Macro> m_macros;

  // What the radio said last.
  RigReading m_reading;
  RigMeters m_meters;
  // Panel frequencies the worker has yet to set, per VFO (A, B).
  std::int64_t m_pendingHz[2] = {0, 0};
  bool m_frequencyQueued[2] = {false, false};
  // What the radio's keyer was given last, and when.
  std::string m_keyedText;
  std::chrono::steady_clock::time_point m_keyedAt{};
  int m_keyedWpm = 0;
  // The speed an external keyer's own control set (0: the radio's).
  int m_keyerWpm = 0;
  std::string m_baud = "9600";
  char m_knob = 'A';
  LinkState m_link = LinkState::Idle;
  std::string m_lastError;
  bool m_noAnswerReported = false;
  int m_reports = 0, m_recoveries = 0, m_polls = 0, m_opens = 0, m_morseSent = 0;
  std::string m_lastMorse;
  std::vector<std::string> m_memories;

  // The worker.
  std::thread m_worker;
  std::shared_ptr<WorkerControl> m_control;
  bool m_readNow = false;
  std::deque<Command> m_commands;

  radiokit::RadioEvents m_events;
  // Last, so that its thread stops before anything it asks goes.
  radiokit::Keyer m_keyer;
};

}  // namespace hamlibradio
