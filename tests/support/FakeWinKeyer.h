#pragma once
// A WinKeyer on a pseudo-terminal, written from K1EL's published WinKeyer
// 2/3 interface: host open (0x00 0x02) is answered with a version byte,
// text bytes are buffered and "keyed" one character at a time for its
// PARIS time at the set speed (0x02 n), a status byte 0xC0 | busy (0x04)
// goes out whenever busy changes, clear buffer (0x0A) ends the keying at
// once. Weight (0x03), Farnsworth (0x0D) and pot set-up (0x05) are taken
// and remembered. The test holds the master side; a port file maps a COM
// name to the slave.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FakeWinKeyer {
 public:
  FakeWinKeyer();
  /// Unplugs it (if still plugged in).
  ~FakeWinKeyer();
  FakeWinKeyer(const FakeWinKeyer&) = delete;
  FakeWinKeyer& operator=(const FakeWinKeyer&) = delete;

  /// The slave device file (/dev/pts/N).
  const std::string& Device() const { return m_slave; }
  /// The keyer goes away: the master side is closed.
  void Unplug();
  /// The speed pot turned: sends 0x80 | n.
  void TurnPot(int n);

  /// What it has seen and done, in order: "open", "close", "speed 40",
  /// "weight 50", "farnsworth 0", "clear", "keyed PARIS" (a text whose
  /// last character was keyed with the buffer then empty), "idle" (status
  /// busy cleared, written before the byte goes out).
  std::vector<std::string> Log() const;
  /// True once the log holds the entry.
  bool Saw(const std::string& entry) const;
  bool HostOpen() const;
  /// When the entry was last logged (the clock's epoch when never): for the bench.
  std::chrono::steady_clock::time_point When(const std::string& entry) const;

 private:
  void Run();
  void Command(unsigned char b);
  void Status(bool busy);
  void Note(std::string entry);

  int m_master = -1;
  int m_held = -1;  // the slave side, held from the unplug on
  std::string m_slave;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};

  mutable std::mutex m_mutex;
  std::vector<std::string> m_log;
  std::vector<std::chrono::steady_clock::time_point> m_times;  // of each log entry
  std::vector<unsigned char> m_args;  // the command being read and its parameters
  std::string m_buffer;               // text waiting to be keyed
  std::string m_keyed;                // keyed since the buffer was last empty
  int m_wpm = 20;
  bool m_open = false;
  bool m_busy = false;
};
