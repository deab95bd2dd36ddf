#include "platform/SerialDevice.h"

// termios2 (any baud rate, BOTHER) comes from the kernel's headers, which
// clash with <termios.h> and <sys/ioctl.h>; ioctl is declared by hand.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <asm/termios.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

namespace platform {
namespace {

static_assert(sizeof(termios2) <= sizeof(SerialLineSettings::native));

using Clock = std::chrono::steady_clock;

// Unix98 pseudo-terminal slaves (/dev/pts/N).
constexpr unsigned kPtySlaveMajorFirst = 136;
constexpr unsigned kPtySlaveMajorLast = 143;

termios2 NativeOf(const SerialLineSettings& settings) {
  termios2 t{};
  std::memcpy(&t, settings.native.data(), sizeof t);
  return t;
}

bool ReadTermios(int fd, termios2& t) { return ioctl(fd, TCGETS2, &t) == 0; }
bool WriteTermios(int fd, const termios2& t) { return ioctl(fd, TCSETS2, &t) == 0; }

// Raises or drops one modem line. Devices without modem lines (a
// pseudo-terminal, some adapters) say ENOTTY or EINVAL; that is not an error.
bool SetModemLine(int fd, int line, bool raised) {
  if (ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0) return true;
  return errno == ENOTTY || errno == EINVAL;
}

tcflag_t SizeFlag(std::uint8_t byteSize) {
  switch (byteSize) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

std::uint8_t ByteSizeOf(tcflag_t cflag) {
  switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
  }
}

tcflag_t ParityFlags(std::uint8_t parity) {
  switch (parity) {
    case kOddParity: return PARENB | PARODD;
    case kEvenParity: return PARENB;
    case kMarkParity: return PARENB | CMSPAR | PARODD;
    case kSpaceParity: return PARENB | CMSPAR;
    default: return 0;
  }
}

std::uint8_t ParityOf(tcflag_t cflag) {
  if (!(cflag & PARENB)) return kNoParity;
  if (cflag & CMSPAR) return (cflag & PARODD) ? kMarkParity : kSpaceParity;
  return (cflag & PARODD) ? kOddParity : kEvenParity;
}

bool ValidValues(const SerialLineSettings& s) {
  return s.baudRate > 0 && s.byteSize >= 5 && s.byteSize <= 8 && s.parity <= kSpaceParity &&
         s.stopBits <= kTwoStopBits && s.dtrControl <= kLineControlEnable &&
         s.rtsControl <= kLineControlEnable;
}

// A UART divides its clock; a rate within 2 % of the one asked for is the
// rate asked for.
bool SameRate(speed_t actual, std::uint32_t wanted) {
  const auto diff = actual > wanted ? actual - wanted : wanted - actual;
  return static_cast<std::uint64_t>(diff) * 50 <= wanted;
}

int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

bool SerialDevice::Open(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
  FileHandle handle(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!handle.Valid()) return false;
  if (flock(handle.Get(), LOCK_EX | LOCK_NB) != 0) {
    // Held by another open: say "busy", as an open refused by TIOCEXCL does.
    const int code = errno == EWOULDBLOCK ? EBUSY : errno;
    handle.Close();
    errno = code;
    return false;
  }
  // Not a tty: the settings cannot be read, which the caller finds next.
  ioctl(handle.Get(), TIOCEXCL);
  struct stat st {};
  m_pseudoTerminal = fstat(handle.Get(), &st) == 0 && S_ISCHR(st.st_mode) &&
                     major(st.st_rdev) >= kPtySlaveMajorFirst && major(st.st_rdev) <= kPtySlaveMajorLast;
  m_handle = std::move(handle);
  return true;
}

bool SerialDevice::Close() {
  if (!m_handle.Valid()) return true;
  // The exclusive flag stays on the tty while anyone else still has it open.
  ioctl(m_handle.Get(), TIOCNXCL);
  return m_handle.Close();
}

bool SerialDevice::GetLine(SerialLineSettings& settings) const {
  termios2 t{};
  if (!ReadTermios(m_handle.Get(), t)) return false;
  std::memcpy(settings.native.data(), &t, sizeof t);
  settings.hasNative = true;
  settings.baudRate = t.c_ospeed;
  settings.byteSize = ByteSizeOf(t.c_cflag);
  settings.parity = ParityOf(t.c_cflag);
  settings.stopBits = !(t.c_cflag & CSTOPB) ? kOneStopBit
                      : settings.byteSize == 5 ? kOne5StopBits
                                               : kTwoStopBits;
  int lines = 0;
  if (ioctl(m_handle.Get(), TIOCMGET, &lines) != 0) lines = 0;
  settings.dtrControl = (lines & TIOCM_DTR) ? kLineControlEnable : kLineControlDisable;
  settings.rtsControl = (lines & TIOCM_RTS) ? kLineControlEnable : kLineControlDisable;
  return true;
}

bool SerialDevice::SetLine(const SerialLineSettings& settings) {
  if (!ValidValues(settings)) {
    errno = EINVAL;
    return false;
  }
  const int fd = m_handle.Get();
  termios2 before{};
  if (!ReadTermios(fd, before)) return false;
  termios2 t = settings.hasNative ? NativeOf(settings) : before;

  // Raw mode: a Win32 comm port has no line discipline.
  t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IXON | IXANY |
                 IXOFF | IMAXBEL);
  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ISIG | ICANON | ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOPRT | ECHOKE | IEXTEN |
                 NOFLSH | TOSTOP);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  // RTS is a plain line, never a handshake; received bytes never wait for DCD.
  t.c_cflag &= ~(CBAUD | CIBAUD | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= CREAD | CLOCAL | BOTHER | SizeFlag(settings.byteSize) | ParityFlags(settings.parity);
  if (settings.stopBits != kOneStopBit) t.c_cflag |= CSTOPB;  // 1.5 as two, see the header
  t.c_ispeed = t.c_ospeed = settings.baudRate;

  auto refuse = [&](int code) {
    WriteTermios(fd, before);
    errno = code;
    return false;
  };
  if (!WriteTermios(fd, t)) return refuse(errno);
  termios2 now{};
  if (!ReadTermios(fd, now)) return refuse(errno);
  tcflag_t checked = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;
  if (m_pseudoTerminal) checked &= ~(CSIZE | PARENB);
  if ((now.c_cflag & checked) != (t.c_cflag & checked) || !SameRate(now.c_ospeed, settings.baudRate))
    return refuse(EINVAL);
  if (!SetModemLine(fd, TIOCM_DTR, settings.dtrControl == kLineControlEnable) ||
      !SetModemLine(fd, TIOCM_RTS, settings.rtsControl == kLineControlEnable))
    return refuse(errno);
  return true;
}

bool SerialDevice::RestoreLine(const SerialLineSettings& settings) {
  if (!settings.hasNative) {
    errno = EINVAL;
    return false;
  }
  const int fd = m_handle.Get();
  const termios2 t = NativeOf(settings);
  return WriteTermios(fd, t) &&
         SetModemLine(fd, TIOCM_DTR, settings.dtrControl == kLineControlEnable) &&
         SetModemLine(fd, TIOCM_RTS, settings.rtsControl == kLineControlEnable);
}

bool SerialDevice::SetQueueSizes(std::uint32_t, std::uint32_t) { return m_handle.Valid(); }

bool SerialDevice::SetTimeouts(const SerialTimeouts& timeouts) {
  m_timeouts = timeouts;
  return m_handle.Valid();
}

bool SerialDevice::Flush() { return ioctl(m_handle.Get(), TCSBRK, 1) == 0; }

bool SerialDevice::BytesWaiting(std::uint32_t& count) const {
  int waiting = 0;
  if (ioctl(m_handle.Get(), FIONREAD, &waiting) != 0) return false;
  count = waiting > 0 ? static_cast<std::uint32_t>(waiting) : 0;
  return true;
}

bool SerialDevice::Read(void* buffer, std::uint32_t count, std::uint32_t& got) const {
  got = 0;
  if (count == 0) return true;
  const int fd = m_handle.Get();
  auto* bytes = static_cast<unsigned char*>(buffer);
  const auto total = std::chrono::milliseconds(
      static_cast<std::uint64_t>(m_timeouts.readTotalMultiplier) * count + m_timeouts.readTotalConstant);
  const auto deadline = Clock::now() + total;
  while (got < count) {
    int wait = MillisecondsUntil(deadline);
    if (got > 0 && m_timeouts.readInterval > 0 && static_cast<int>(m_timeouts.readInterval) < wait)
      wait = static_cast<int>(m_timeouts.readInterval);
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (ready == 0) break;  // a time-out ends the read with what has come
    if (p.revents & POLLIN) {
      const ssize_t n = ::read(fd, bytes + got, count - got);
      if (n > 0) {
        got += static_cast<std::uint32_t>(n);
        continue;
      }
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n < 0) return false;
      if (!(p.revents & POLLHUP)) break;
    }
    if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
      errno = EIO;  // the device went away
      return false;
    }
  }
  return true;
}

bool SerialDevice::Write(const void* buffer, std::uint32_t count, std::uint32_t& written) const {
  written = 0;
  const int fd = m_handle.Get();
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  const auto total = std::chrono::milliseconds(
      static_cast<std::uint64_t>(m_timeouts.writeTotalMultiplier) * count + m_timeouts.writeTotalConstant);
  const auto deadline = Clock::now() + total;
  while (written < count) {
    const ssize_t n = ::write(fd, bytes + written, count - written);
    if (n > 0) {
      written += static_cast<std::uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    // The device's buffer is full: wait for room until the time-out.
    const int wait = MillisecondsUntil(deadline);
    if (wait == 0) {
      errno = ETIMEDOUT;
      return false;
    }
    pollfd p{fd, POLLOUT, 0};
    const int ready = ::poll(&p, 1, wait);
    if (ready < 0 && errno != EINTR) return false;
    if (ready == 0) {
      errno = ETIMEDOUT;
      return false;
    }
    if (ready > 0 && !(p.revents & POLLOUT) && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
      errno = EIO;
      return false;
    }
  }
  return true;
}

}  // namespace platform
