#pragma once
// Keying through a WinKeyer-protocol keyer (WinKeyer 2/3 and compatibles)
// on a serial port of its own, 1200 baud 8N2. Host mode is opened at
// connect (0x00 0x02, answered with the version byte) and closed when the
// output goes (0x00 0x03); speed (0x02), weight (0x03) and Farnsworth speed
// (0x0D) are set from the settings, text bytes are buffered by the keyer
// and keyed. A message is over when the status byte (0xC0 | flags) clears
// its busy bit (0x04) after it was set for that message; stop is clear
// buffer (0x0A). Speed-pot bytes (0x80 | n, n from kPotMin) tell the sink.
// A keyer that goes away is told once and reopened every 2 seconds, the
// port looked up again each time; it is told again when it is back.
//
// A thread of its own opens, reads and reopens. Members may be called from any thread.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "KeyerOutput.h"

namespace radiokit {

/// The speed pot's lowest speed and range, set at host open.
constexpr int kPotMin = 10;
constexpr int kPotRange = 40;

class WinKeyer : public KeyerOutput {
 public:
  WinKeyer(const KeyingSettings& settings, KeyerSink& sink, PortResolver resolve);
  /// Closes host mode and the port.
  ~WinKeyer() override;
  WinKeyer(const WinKeyer&) = delete;
  WinKeyer& operator=(const WinKeyer&) = delete;

  bool ReportsEnd() const override;
  void Start(const std::string& text, int wpm, std::uint64_t message) override;
  void Abort() override;
  /// "WINKEYER COMn UP VERSION=n|WAITING|GONE"
  std::string Describe() const override;

 private:
  enum class State { Waiting, Up, Gone };
  void Run();
  /// Opens the port and host mode; false when either fails.
  bool Open(std::string* problem);
  void CloseFd();
  /// Handles one byte from the keyer.
  void Byte(unsigned char b);
  bool Write(const std::string& bytes);

  KeyingSettings m_settings;
  KeyerSink& m_sink;
  PortResolver m_resolve;
  std::thread m_thread;

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stop = false;
  int m_fd = -1;
  State m_state = State::Waiting;
  bool m_told = false;  // the current trouble has been told
  int m_version = 0;
  int m_wpm = 0;        // last speed given to the keyer
  std::uint64_t m_current = 0;
  bool m_sawBusy = false;
};

}  // namespace radiokit
