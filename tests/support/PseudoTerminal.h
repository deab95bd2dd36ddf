#pragma once
// A pseudo-terminal standing in for a serial device: the test holds the
// master side (the far end of the line) and a port file maps COM names to
// slave devices.

#include <string>

class PseudoTerminal {
 public:
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  /// The slave device file (/dev/pts/N).
  const std::string& Device() const { return m_slave; }
  /// The far end sends bytes towards the program.
  void Send(const std::string& bytes) const;
  /// The far end reads exactly count bytes (waits for them; empty after 10 s
  /// without them, so a missing byte fails the test instead of hanging it).
  std::string Receive(std::size_t count) const;
  /// Bytes the program wrote that the far end has not read yet.
  int Pending() const;
  /// The far end goes away: the slave side is hung up.
  void HangUp();

  /// The slave's line as the kernel keeps it.
  struct Line {
    unsigned baud = 0;
    unsigned dataBits = 0;
    bool twoStopBits = false, parityEnabled = false, oddParity = false, markSpace = false;
    bool canonical = false, echo = false;
  };
  /// Read through a slave handle the test opened first.
  Line SlaveLine() const;
  /// Puts the slave in cooked mode at the given rate (a terminal's defaults).
  void SetCookedLine(unsigned baud) const;
  /// Bytes the program has not read yet on the slave side.
  int SlaveInputWaiting() const;

 private:
  int m_master = -1;
  int m_slaveFd = -1;
  std::string m_slave;
};

/// Waits until condition() holds; false after 10 s (a hang guard, not a timing check).
template <class Condition>
bool WaitUntil(Condition condition);

#include <chrono>
#include <thread>
template <class Condition>
bool WaitUntil(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}
