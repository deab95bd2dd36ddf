#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "CwdaemonKeyer.h"
#include "Morse.h"

namespace radiokit {
namespace {

constexpr char kEsc = '\x1b';
constexpr int kReadPollMs = 100;

// The tag of a message in cwdaemon's reply.
std::string Tag(std::uint64_t message) { return "T" + std::to_string(message); }

}  // namespace

CwdaemonKeyer::CwdaemonKeyer(const KeyingSettings& settings, KeyerSink& sink) : m_settings(settings), m_sink(sink) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(settings.port);
  const int rc = getaddrinfo(settings.host.c_str(), port.c_str(), &hints, &found);
  if (rc != 0 || !found) {
    m_problem = "cwdaemon's address " + Where() + " is not known: " + gai_strerror(rc);
  } else {
    m_fd = socket(found->ai_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_fd >= 0 && connect(m_fd, found->ai_addr, found->ai_addrlen) != 0) {
      close(m_fd);
      m_fd = -1;
    }
    if (m_fd < 0) m_problem = "Cannot reach cwdaemon at " + Where();
  }
  if (found) freeaddrinfo(found);
  if (m_fd >= 0) m_reader = std::thread(&CwdaemonKeyer::Read, this);
}

CwdaemonKeyer::~CwdaemonKeyer() {
  m_stop = true;
  if (m_reader.joinable()) m_reader.join();
  if (m_fd >= 0) {
    SendRaw(std::string(1, kEsc) + "4");
    close(m_fd);
  }
}

bool CwdaemonKeyer::ReportsEnd() const {
  std::lock_guard lock(m_mutex);
  return m_fd >= 0 && !m_silent;
}

std::string CwdaemonKeyer::KeyableText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '+' || c == '-' || c == '~' || c == '^' || c == '*') continue;
    if (c == ' ' || MorseCode(c)) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

void CwdaemonKeyer::Start(const std::string& text, int wpm, std::uint64_t message) {
  std::string problem;
  {
    std::lock_guard lock(m_mutex);
    if (m_fd < 0) {
      problem = std::move(m_problem);  // told once
      m_problem.clear();
    } else {
      m_current = message;
    }
  }
  if (m_fd < 0) {
    if (!problem.empty()) m_sink.Trouble(problem, false);
    return;
  }
  const std::string esc(1, kEsc);
  SendRaw(esc + "2" + std::to_string(std::clamp(wpm, 4, 60)));
  SendRaw(esc + "7" + std::to_string(std::clamp(m_settings.weight - kNormalWeight, -50, 50)));
  std::string keyable = KeyableText(text);
  if (keyable.empty()) keyable = " ";
  while (keyable.size() > kCwdaemonPacket) {
    SendRaw(keyable.substr(0, kCwdaemonPacket));
    keyable.erase(0, kCwdaemonPacket);
  }
  SendRaw(esc + "h" + Tag(message));
  SendRaw(keyable);
}

void CwdaemonKeyer::Abort() {
  {
    std::lock_guard lock(m_mutex);
    if (m_fd < 0) return;
    m_current = 0;
  }
  SendRaw(std::string(1, kEsc) + "4");
}

void CwdaemonKeyer::Overdue(std::uint64_t message) {
  {
    std::lock_guard lock(m_mutex);
    if (message != m_current || m_silent) return;
    m_silent = true;
  }
  m_sink.Trouble("No answer from cwdaemon at " + Where() +
                 ": messages are timed, not keyed, until it answers", false);
}

std::string CwdaemonKeyer::Describe() const {
  std::lock_guard lock(m_mutex);
  return "CWDAEMON " + Where() + (m_fd >= 0 && !m_silent ? " ANSWERS" : " SILENT") +
         " REPLIES=" + std::to_string(m_replies) + " STALE=" + std::to_string(m_stale);
}

std::string CwdaemonKeyer::Where() const {
  return (m_settings.host.find(':') != std::string::npos ? "[" + m_settings.host + "]" : m_settings.host) + ":" +
         std::to_string(m_settings.port);
}

void CwdaemonKeyer::SendRaw(const std::string& datagram) {
  // A refused datagram (nothing listens) comes back as an error here or on
  // the next read; the missing reply is what tells.
  (void)send(m_fd, datagram.data(), datagram.size(), MSG_NOSIGNAL);
}

void CwdaemonKeyer::Read() {
  char buffer[512];
  while (!m_stop) {
    pollfd p{m_fd, POLLIN, 0};
    if (poll(&p, 1, kReadPollMs) <= 0) continue;
    const ssize_t n = recv(m_fd, buffer, sizeof buffer, 0);
    if (n <= 0) continue;  // ECONNREFUSED while cwdaemon is not there
    std::string reply(buffer, static_cast<std::size_t>(n));
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.pop_back();
    if (reply.size() < 2 || reply[0] != 'h') continue;  // "break" after an abort, and the like
    std::uint64_t ended = 0;
    bool back = false;
    {
      std::lock_guard lock(m_mutex);
      ++m_replies;
      back = m_silent;
      m_silent = false;
      if (m_current != 0 && reply.substr(1) == Tag(m_current)) {
        ended = m_current;
        m_current = 0;
      } else {
        ++m_stale;
      }
    }
    if (back) m_sink.Trouble("cwdaemon at " + Where() + " answers again", true);
    if (ended) m_sink.Keyed(ended);
  }
}

}  // namespace radiokit
