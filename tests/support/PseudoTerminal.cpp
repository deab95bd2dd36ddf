#include "PseudoTerminal.h"

// termios2 shows the slave's real rate, whatever it is.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

PseudoTerminal::PseudoTerminal() {
  m_master = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(m_master);
  unlockpt(m_master);
  m_slave = ptsname(m_master);
  // Held open so that the slave keeps its settings between the program's opens.
  m_slaveFd = ::open(m_slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
  if (m_slaveFd >= 0) ::close(m_slaveFd);
  if (m_master >= 0) ::close(m_master);
}

void PseudoTerminal::Send(const std::string& bytes) const {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
    if (n > 0) done += static_cast<std::size_t>(n);
    else if (errno != EINTR) return;
  }
}

std::string PseudoTerminal::Receive(std::size_t count) const {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (got.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return {};
    pollfd p{m_master, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[256];
    const std::size_t want = count - got.size() < sizeof buffer ? count - got.size() : sizeof buffer;
    const ssize_t n = ::read(m_master, buffer, want);
    if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
    else if (n < 0 && errno != EINTR && errno != EAGAIN) return {};
  }
  return got;
}

int PseudoTerminal::Pending() const {
  int n = 0;
  ioctl(m_master, FIONREAD, &n);
  return n;
}

void PseudoTerminal::HangUp() {
  // Our own slave side stays open until the end: it keeps the terminal's
  // number from going to another pseudo-terminal (another test's, in another
  // process) while the program still looks for the device that went away.
  ::close(m_master);
  m_master = -1;
}

PseudoTerminal::Line PseudoTerminal::SlaveLine() const {
  termios2 t{};
  ioctl(m_slaveFd, TCGETS2, &t);
  Line line;
  line.baud = t.c_ospeed;
  switch (t.c_cflag & CSIZE) {
    case CS5: line.dataBits = 5; break;
    case CS6: line.dataBits = 6; break;
    case CS7: line.dataBits = 7; break;
    default: line.dataBits = 8; break;
  }
  line.twoStopBits = t.c_cflag & CSTOPB;
  line.parityEnabled = t.c_cflag & PARENB;
  line.oddParity = t.c_cflag & PARODD;
  line.markSpace = t.c_cflag & CMSPAR;
  line.canonical = t.c_lflag & ICANON;
  line.echo = t.c_lflag & ECHO;
  return line;
}

void PseudoTerminal::SetCookedLine(unsigned baud) const {
  termios2 t{};
  ioctl(m_slaveFd, TCGETS2, &t);
  t.c_lflag |= ICANON | ECHO;
  t.c_cflag &= ~(CBAUD | CIBAUD | CSTOPB | CMSPAR | PARODD);
  t.c_cflag |= BOTHER;
  t.c_ispeed = t.c_ospeed = baud;
  ioctl(m_slaveFd, TCSETS2, &t);
}

int PseudoTerminal::SlaveInputWaiting() const {
  int n = 0;
  ioctl(m_slaveFd, FIONREAD, &n);
  return n;
}
