#pragma once
// The six stored messages of a radio and the thread that keys them: PARIS
// timing at the radio's keyer speed, the message start and over events, and
// Auto CQ (slot 0 sent again after the repeat pause while the repeat is on).
// With an output that reports ends (cwdaemon, WinKeyer: KeyerOutput.h) a
// message is over when the output says its last element was keyed, not
// when its Morse time has passed; a stop aborts the output at once.
//
// What is radio-specific (the speed, putting the text on the air) comes from
// the library through KeyerRadio. Every member may be called from any
// thread; the keyer calls KeyerRadio and sets events without its lock held,
// so a library may call the keyer while holding its own lock.

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "KeyerOutput.h"
#include "RadioEvents.h"

namespace radiokit {

constexpr int kMessageSlots = 6;
/// Auto CQ never repeats faster than this, whatever the delay and the message.
constexpr auto kMinRepeatPause = std::chrono::milliseconds(100);
constexpr int kMaxRepeatDelay = 3600;  // seconds

/// The pause between two sendings of slot 0 for a delay in seconds.
std::chrono::milliseconds RepeatPause(int delaySeconds);

/// The library's side of keying.
class KeyerRadio {
 public:
  virtual ~KeyerRadio() = default;
  /// Words per minute for the message about to start (keyer thread).
  virtual int KeyerSpeed() = 0;
  /// The message has started (its start event is set): put it on the air
  /// if the radio keys it. 'message' names it for Keyer::EndMessage.
  virtual void MessageStarted(int /*slot*/, const std::string& /*text*/, std::uint64_t /*message*/) {}
  /// The keyer output's trouble or recovery, to be told to the operator
  /// (any thread, no keyer lock held).
  virtual void KeyerTrouble(const std::string& /*text*/, bool /*recovered*/) {}
  /// The output's own speed control set this speed (any thread).
  virtual void KeyerPotSpeed(int /*wpm*/) {}
};

/// How the keyer lets time pass; the real one waits on the clock. Tests
/// give one that records the durations and returns at once.
class KeyerTimer {
 public:
  virtual ~KeyerTimer() = default;
  /// Waits (lock held on entry and return, released while waiting) until
  /// stop() holds or the duration has passed; answers stop().
  virtual bool Wait(std::unique_lock<std::mutex>& lock, std::condition_variable& wake,
                    std::chrono::microseconds duration, const std::function<bool()>& stop) = 0;
};

class Keyer : private KeyerSink {
 public:
  /// timer: nullptr for the real clock.
  Keyer(KeyerRadio& radio, const RadioEvents& events, KeyerTimer* timer = nullptr);
  /// Stops the thread.
  ~Keyer();
  Keyer(const Keyer&) = delete;
  Keyer& operator=(const Keyer&) = delete;

  /// Where outputs report to (for MakeKeyerOutput).
  KeyerSink& Sink() { return *this; }
  /// Keys through this output from now on (nullptr: the keyer times each
  /// message and the radio keys it, or nothing does). Only while the
  /// thread does not run; the old output is destroyed.
  void SetOutput(std::unique_ptr<KeyerOutput> output);
  /// The output's status line, empty without one.
  std::string OutputText() const;
  /// Starts the keyer thread unless it runs.
  void StartThread();
  /// Ends the message being sent (over event), drops a pending one and
  /// joins the thread. Messages and settings are kept.
  void StopThread();
  bool ThreadRunning() const;

  void SetMessage(int slot, std::string text);
  std::string Message(int slot) const;
  /// Starts keying a slot, ending the message being sent first. Ignored
  /// while the thread does not run or for a slot outside 0..5. True when a
  /// message was being sent (the radio may want to stop its own keyer).
  bool Send(int slot);
  /// Ends the message at once (over event) and cancels the repeat; the
  /// Auto CQ switch stays. True when a message was being sent.
  bool Cancel();
  /// Ends that message now if it is still being sent (the radio refused it).
  void EndMessage(std::uint64_t message);

  void SetAutoRepeat(bool on);
  bool AutoRepeat() const;
  /// Seconds, clamped to 0..kMaxRepeatDelay.
  void SetAutoRepeatDelay(int seconds);
  int AutoRepeatDelay() const;

  /// The slot being sent, or -1.
  int SendingSlot() const;
  /// A message asked for, being sent, or waiting to repeat.
  bool Busy() const;
  /// Messages started since construction or Reset.
  int Starts() const;
  /// How long the last message that ran to its end took, from its start
  /// event to its over event, as measured; -1 before any.
  std::int64_t LastKeyingMs() const;

  /// Back to a new radio's keyer: ends sending, clears the messages, the
  /// repeat off with a delay of 5 seconds, the counts zero. The thread stays.
  void Reset();

 private:
  using Lock = std::unique_lock<std::mutex>;
  void Keyed(std::uint64_t message) override;
  void Trouble(const std::string& text, bool recovered) override;
  void PotSpeed(int wpm) override;
  void Loop();
  /// Keys one message; false when it was ended early.
  bool KeyMessage(Lock& lock, int slot);
  bool Interrupt();
  bool WaitFor(Lock& lock, std::chrono::microseconds duration, const std::function<bool()>& stop);

  KeyerRadio& m_radio;
  const RadioEvents& m_events;
  KeyerTimer* m_timer;

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::thread m_thread;
  std::array<std::string, kMessageSlots> m_messages;
  bool m_autoRepeat = false;
  int m_autoRepeatDelay = 5;
  bool m_quit = false;
  bool m_busy = false;       // keying or waiting to repeat
  bool m_interrupt = false;  // the thread is to drop what it does
  int m_pendingSlot = -1;    // asked for, not yet started
  int m_sendingSlot = -1;
  std::uint64_t m_serial = 0;
  std::uint64_t m_sendingMessage = 0;
  int m_starts = 0;
  std::int64_t m_lastKeyingMs = -1;
  std::unique_ptr<KeyerOutput> m_output;
  std::uint64_t m_keyedMessage = 0;  // the last message the output reported keyed
};

}  // namespace radiokit
