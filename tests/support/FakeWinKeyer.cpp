#include "FakeWinKeyer.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr unsigned char kVersion = 23;  // WinKeyer 2.3

// A character's length in dot units with the gap after it, from its own
// table (letters, digits, "/?."; others as a dot).
std::int64_t UnitsOf(char c) {
  static const char* const kLetters[] = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                         ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                         "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
  static const char* const kDigits[] = {"-----", ".----", "..---", "...--", "....-",
                                        ".....", "-....", "--...", "---..", "----."};
  if (c == ' ') return 4;  // a word gap is 7 in place of the 3 after the character before
  const char* code = ".";
  if (c >= 'A' && c <= 'Z') code = kLetters[c - 'A'];
  else if (c >= '0' && c <= '9') code = kDigits[c - '0'];
  else if (c == '/') code = "-..-.";
  else if (c == '?') code = "..--..";
  else if (c == '.') code = ".-.-.-";
  std::int64_t units = 0;
  for (const char* e = code; *e; ++e) units += (*e == '-' ? 3 : 1) + 1;
  return units - 1 + 3;
}

// Parameters each command takes (WinKeyer 2/3 command table).
std::size_t ParametersOf(unsigned char command) {
  switch (command) {
    case 0x00: return 1;  // admin: its subcommand
    case 0x04: return 2;  // PTT lead/tail
    case 0x05: return 3;  // speed pot set-up
    case 0x07: case 0x08: case 0x0A: case 0x13: case 0x15: return 0;
    case 0x0F: return 15;  // load defaults
    default: return 1;
  }
}

}  // namespace

FakeWinKeyer::FakeWinKeyer() {
  m_master = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(m_master);
  unlockpt(m_master);
  m_slave = ptsname(m_master);
  m_thread = std::thread(&FakeWinKeyer::Run, this);
}

FakeWinKeyer::~FakeWinKeyer() {
  Unplug();
  if (m_held >= 0) close(m_held);
}

void FakeWinKeyer::Unplug() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
  std::lock_guard lock(m_mutex);
  if (m_master < 0) return;
  // A slave side held open keeps the terminal's number from being handed to
  // another pseudo-terminal (another test's, in another process) while a
  // keyer still tries the old device file: that file is gone, as an
  // unplugged adapter's is.
  if (m_held < 0) m_held = open(m_slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  close(m_master);
  m_master = -1;
}

void FakeWinKeyer::TurnPot(int n) {
  std::lock_guard lock(m_mutex);
  const unsigned char b = static_cast<unsigned char>(0x80 | (n & 0x3F));
  if (m_master >= 0) (void)write(m_master, &b, 1);
}

std::vector<std::string> FakeWinKeyer::Log() const {
  std::lock_guard lock(m_mutex);
  return m_log;
}

bool FakeWinKeyer::Saw(const std::string& entry) const {
  std::lock_guard lock(m_mutex);
  return std::find(m_log.begin(), m_log.end(), entry) != m_log.end();
}

bool FakeWinKeyer::HostOpen() const {
  std::lock_guard lock(m_mutex);
  return m_open;
}

std::chrono::steady_clock::time_point FakeWinKeyer::When(const std::string& entry) const {
  std::lock_guard lock(m_mutex);
  for (std::size_t i = m_log.size(); i-- > 0;)
    if (m_log[i] == entry) return m_times[i];
  return {};
}

// Under the lock.
void FakeWinKeyer::Note(std::string entry) {
  m_log.push_back(std::move(entry));
  m_times.push_back(std::chrono::steady_clock::now());
}

// Under the lock.
void FakeWinKeyer::Status(bool busy) {
  if (busy == m_busy) return;
  m_busy = busy;
  if (!busy) Note("idle");
  const unsigned char b = static_cast<unsigned char>(0xC0 | (busy ? 0x04 : 0));
  (void)write(m_master, &b, 1);
}

// Under the lock.
void FakeWinKeyer::Command(unsigned char b) {
  if (m_args.empty() && b >= 0x20 && b < 0x80) {
    if (m_open) m_buffer += static_cast<char>(b);
    return;
  }
  m_args.push_back(b);
  if (m_args.size() <= ParametersOf(m_args[0])) return;
  const std::vector<unsigned char> c = std::move(m_args);
  m_args.clear();
  switch (c[0]) {
    case 0x00:
      if (c[1] == 0x02) {
        m_open = true;
        Note("open");
        (void)write(m_master, &kVersion, 1);
      } else if (c[1] == 0x03) {
        m_open = false;
        Note("close");
      }
      break;
    case 0x02: m_wpm = std::max<int>(5, c[1]); Note("speed " + std::to_string(c[1])); break;
    case 0x03: Note("weight " + std::to_string(c[1])); break;
    case 0x0D: Note("farnsworth " + std::to_string(c[1])); break;
    case 0x0A:
      Note("clear");
      m_buffer.clear();
      m_keyed.clear();
      Status(false);
      break;
    default: break;
  }
}

// Reads commands and keys the buffer: each character is keyed for its time
// at the speed (with the gap after it), checking for commands meanwhile.
void FakeWinKeyer::Run() {
  auto charEnd = std::chrono::steady_clock::time_point::max();
  while (!m_stop) {
    int waitMs = 20;
    {
      std::lock_guard lock(m_mutex);
      const auto now = std::chrono::steady_clock::now();
      if (charEnd != std::chrono::steady_clock::time_point::max() && now >= charEnd) {
        charEnd = std::chrono::steady_clock::time_point::max();
        if (m_buffer.empty()) {
          Note("keyed " + m_keyed);
          m_keyed.clear();
          Status(false);
        }
      }
      if (charEnd == std::chrono::steady_clock::time_point::max() && !m_buffer.empty()) {
        const std::string one = m_buffer.substr(0, 1);
        m_buffer.erase(0, 1);
        m_keyed += one;
        Status(true);
        // The character and the gap after it, as in "PARIS ".
        charEnd = now + std::chrono::microseconds(UnitsOf(one[0]) * 1200000 / m_wpm);
      }
      if (charEnd != std::chrono::steady_clock::time_point::max())
        waitMs = static_cast<int>(std::clamp<std::int64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(charEnd - now).count(), 0, 20));
    }
    pollfd p{m_master, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) continue;
    if (!(p.revents & POLLIN)) {
      // No one has the slave open yet (or any more).
      std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
      continue;
    }
    unsigned char bytes[64];
    const ssize_t n = read(m_master, bytes, sizeof bytes);
    if (n <= 0) continue;  // EIO while the slave is not open
    std::lock_guard lock(m_mutex);
    for (ssize_t i = 0; i < n; ++i) Command(bytes[i]);
  }
}
