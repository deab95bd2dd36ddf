#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cerrno>

#include "Morse.h"
#include "WinKeyer.h"

namespace radiokit {
namespace {

constexpr auto kReopenPause = std::chrono::seconds(2);
constexpr int kVersionWaitMs = 1000;
constexpr int kReadPollMs = 100;
constexpr unsigned char kAdmin = 0x00, kHostOpen = 0x02, kHostClose = 0x03;
constexpr unsigned char kSpeed = 0x02, kWeight = 0x03, kPotSetup = 0x05, kClearBuffer = 0x0A,
                        kFarnsworth = 0x0D;
constexpr unsigned char kBusy = 0x04;

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

}  // namespace

WinKeyer::WinKeyer(const KeyingSettings& settings, KeyerSink& sink, PortResolver resolve)
    : m_settings(settings), m_sink(sink), m_resolve(std::move(resolve)) {
  m_thread = std::thread(&WinKeyer::Run, this);
}

WinKeyer::~WinKeyer() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_all();
  m_thread.join();
  std::lock_guard lock(m_mutex);
  if (m_fd >= 0) {
    Write(Bytes({kClearBuffer, kAdmin, kHostClose}));
    tcdrain(m_fd);
  }
  CloseFd();
}

bool WinKeyer::ReportsEnd() const {
  std::lock_guard lock(m_mutex);
  return m_state == State::Up;
}

void WinKeyer::Start(const std::string& text, int wpm, std::uint64_t message) {
  std::lock_guard lock(m_mutex);
  if (m_state != State::Up) return;
  std::string bytes;
  m_wpm = std::clamp(wpm, 5, 99);
  bytes += Bytes({kSpeed, m_wpm});
  for (char c : text)
    if (c == ' ' || MorseCode(c)) bytes += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  m_current = message;
  m_sawBusy = false;
  Write(bytes);
}

void WinKeyer::Abort() {
  std::lock_guard lock(m_mutex);
  m_current = 0;
  if (m_state == State::Up) Write(Bytes({kClearBuffer}));
}

std::string WinKeyer::Describe() const {
  std::lock_guard lock(m_mutex);
  std::string text = "WINKEYER " + m_settings.comPort;
  switch (m_state) {
    case State::Up: return text + " UP VERSION=" + std::to_string(m_version);
    case State::Waiting: return text + " WAITING";
    case State::Gone: return text + " GONE";
  }
  return text;
}

// Under the lock; a failed write shows as a hang-up on the next read.
bool WinKeyer::Write(const std::string& bytes) {
  std::size_t done = 0;
  while (m_fd >= 0 && done < bytes.size()) {
    const ssize_t n = write(m_fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return done == bytes.size();
}

void WinKeyer::CloseFd() {
  if (m_fd >= 0) close(m_fd);
  m_fd = -1;
}

// Without the lock: only this thread opens, and m_fd is set at the end.
bool WinKeyer::Open(std::string* problem) {
  const std::string device = m_resolve ? m_resolve(m_settings.comPort) : std::string();
  if (device.empty()) {
    *problem = "The WinKeyer's port \"" + m_settings.comPort + "\" is not in the port table";
    return false;
  }
  const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 || flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (fd >= 0) close(fd);
    *problem = "Cannot open the WinKeyer on " + m_settings.comPort + " (" + device + ")";
    return false;
  }
  ioctl(fd, TIOCEXCL);
  termios tio{};
  if (tcgetattr(fd, &tio) == 0) {
    cfmakeraw(&tio);
    cfsetispeed(&tio, B1200);
    cfsetospeed(&tio, B1200);
    tio.c_cflag |= CSTOPB | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &tio);
  }
  int lines = TIOCM_DTR;  // a keyer powered from the port's DTR
  ioctl(fd, TIOCMBIS, &lines);
  tcflush(fd, TCIOFLUSH);
  const std::string open = Bytes({kAdmin, kHostOpen});
  // The version byte answers host open; status and pot bytes may come first.
  int version = 0;
  if (write(fd, open.data(), open.size()) == static_cast<ssize_t>(open.size())) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kVersionWaitMs);
    while (!version && std::chrono::steady_clock::now() < until) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN)) {
        if (p.revents & (POLLHUP | POLLERR)) break;
        continue;
      }
      unsigned char b = 0;
      if (read(fd, &b, 1) != 1) break;
      if (b < 0x80) version = b;
    }
  }
  if (!version) {
    close(fd);
    *problem = "No answer from the WinKeyer on " + m_settings.comPort + " (" + device + ")";
    return false;
  }
  std::lock_guard lock(m_mutex);
  m_fd = fd;
  m_version = version;
  const int farnsworth = m_settings.farnsworth > 0 ? std::clamp(m_settings.farnsworth, 10, 99) : 0;
  Write(Bytes({kPotSetup, kPotMin, kPotRange, 0, kWeight, std::clamp(m_settings.weight, 10, 90), kFarnsworth,
               farnsworth}));
  if (m_wpm) Write(Bytes({kSpeed, m_wpm}));
  return true;
}

void WinKeyer::Byte(unsigned char b) {
  std::uint64_t ended = 0;
  int pot = 0;
  {
    std::lock_guard lock(m_mutex);
    if ((b & 0xC0) == 0xC0) {
      if (b & kBusy) {
        m_sawBusy = m_current != 0;
      } else if (m_current && m_sawBusy) {
        ended = m_current;
        m_current = 0;
      }
    } else if ((b & 0xC0) == 0x80) {
      pot = kPotMin + (b & 0x3F);
    }
    // Anything else is the echo of a keyed character.
  }
  if (ended) m_sink.Keyed(ended);
  if (pot) m_sink.PotSpeed(pot);
}

void WinKeyer::Run() {
  bool lost = false;  // was up once: the next opening is a return
  for (;;) {
    {
      std::unique_lock lock(m_mutex);
      if (m_stop) return;
    }
    std::string problem;
    if (!Open(&problem)) {
      std::string tell;
      {
        std::lock_guard lock(m_mutex);
        if (!m_told) tell = problem + ": messages are timed, not keyed, until it answers";
        m_told = true;
      }
      if (!tell.empty()) m_sink.Trouble(tell, false);
      std::unique_lock lock(m_mutex);
      if (m_wake.wait_for(lock, kReopenPause, [&] { return m_stop; })) return;
      continue;
    }
    std::string tell;
    {
      std::lock_guard lock(m_mutex);
      m_state = State::Up;
      if (m_told || lost) tell = "The WinKeyer on " + m_settings.comPort + " answers again";
      m_told = false;
    }
    if (!tell.empty()) m_sink.Trouble(tell, true);
    // Read until it goes away or the output is destroyed.
    for (;;) {
      int fd;
      {
        std::lock_guard lock(m_mutex);
        if (m_stop) return;
        fd = m_fd;
      }
      pollfd p{fd, POLLIN, 0};
      const int rc = poll(&p, 1, kReadPollMs);
      if (rc == 0) continue;
      unsigned char buffer[64];
      const ssize_t n = (p.revents & POLLIN) ? read(fd, buffer, sizeof buffer) : -1;
      if (n > 0) {
        for (ssize_t i = 0; i < n; ++i) Byte(buffer[i]);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      break;
    }
    std::uint64_t ended = 0;
    {
      std::lock_guard lock(m_mutex);
      if (m_stop) return;
      CloseFd();
      m_state = State::Gone;
      m_told = true;
      lost = true;
      ended = m_current;
      m_current = 0;
    }
    m_sink.Trouble("The WinKeyer on " + m_settings.comPort +
                   " is gone: messages are timed, not keyed, until it is back", false);
    // What it was keying has stopped with it.
    if (ended) m_sink.Keyed(ended);
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_for(lock, kReopenPause, [&] { return m_stop; })) return;
  }
}

}  // namespace radiokit
