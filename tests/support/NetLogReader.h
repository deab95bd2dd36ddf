#pragma once
// A small reader of what network logging sends, written from the published
// formats and nothing of ours: WSJT-X's UDP messages (big-endian
// QDataStream: magic, schema, type, id, then the type's fields) and N1MM's
// contactinfo XML; and a UDP socket on 127.0.0.1 to receive them with.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// A UDP socket bound to 127.0.0.1 on a port the system picks.
class LoopbackReceiver {
 public:
  LoopbackReceiver() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    ::bind(m_fd, reinterpret_cast<sockaddr*>(&at), size);
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&at), &size);
    m_port = ntohs(at.sin_port);
  }
  ~LoopbackReceiver() { ::close(m_fd); }
  LoopbackReceiver(const LoopbackReceiver&) = delete;
  LoopbackReceiver& operator=(const LoopbackReceiver&) = delete;

  std::uint16_t Port() const { return m_port; }
  /// The next datagram; nothing after timeoutMs without one.
  std::optional<std::string> Receive(int timeoutMs = 5000) const {
    pollfd p{m_fd, POLLIN, 0};
    std::string bytes(65536, '\0');
    const ssize_t got = ::poll(&p, 1, timeoutMs) == 1 ? ::recv(m_fd, bytes.data(), bytes.size(), 0) : -1;
    if (got < 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
  }

 private:
  int m_fd;
  std::uint16_t m_port = 0;
};

/// One WSJT-X message: its header and its fields in order, each as text
/// (numbers in decimal, a QDateTime as "JD <day> MS <ms> ZONE <time zone kind>", 1 for UTC).
struct WsjtxMessage {
  std::uint32_t magic = 0, schema = 0, type = 0;
  std::string id;
  std::vector<std::string> fields;
  bool complete = false;  // every byte read, none left over
};

/// Reads a message of the types 0 (Heartbeat), 5 (QSO Logged) and 12
/// (Logged ADIF) by their published field lists.
inline WsjtxMessage ReadWsjtx(const std::string& bytes) {
  WsjtxMessage m;
  std::size_t at = 0;
  bool ok = true;
  auto u = [&](std::size_t size) -> std::uint64_t {
    std::uint64_t v = 0;
    if (!(ok = ok && at + size <= bytes.size())) return 0;
    for (std::size_t i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at++]);
    return v;
  };
  auto utf8 = [&]() -> std::string {
    const std::uint64_t n = u(4);
    if (n == 0xffffffffu || !(ok = ok && at + n <= bytes.size())) return {};  // null, or cut short
    at += n;
    return bytes.substr(at - n, n);
  };
  auto number = [&](std::size_t size) { return std::to_string(u(size)); };
  auto dateTime = [&]() {
    const std::string day = number(8), ms = number(4);
    return "JD " + day + " MS " + ms + " ZONE " + number(1);
  };
  m.magic = static_cast<std::uint32_t>(u(4));
  m.schema = static_cast<std::uint32_t>(u(4));
  m.type = static_cast<std::uint32_t>(u(4));
  m.id = utf8();
  if (m.type == 0) m.fields = {number(4), utf8(), utf8()};  // maximum schema, version, revision
  if (m.type == 12) m.fields = {utf8()};                    // the ADIF text
  if (m.type == 5) {
    // Time off, DX call, DX grid, Tx frequency (Hz), mode, report sent, report
    // received, Tx power, comments, name, time on, operator call, my call, my
    // grid, exchange sent, exchange received, ADIF propagation mode.
    m.fields.push_back(dateTime());
    for (int i = 0; i < 2; ++i) m.fields.push_back(utf8());
    m.fields.push_back(number(8));
    for (int i = 0; i < 6; ++i) m.fields.push_back(utf8());
    m.fields.push_back(dateTime());
    for (int i = 0; i < 6; ++i) m.fields.push_back(utf8());
  }
  m.complete = ok && at == bytes.size() && (m.type == 0 || m.type == 5 || m.type == 12);
  return m;
}

/// The child elements of a contactinfo document, by name, entities read;
/// nothing when it is not one (no XML declaration, no <contactinfo> root).
inline std::optional<std::map<std::string, std::string>> ReadContactInfo(const std::string& xml) {
  const auto open = xml.find("<contactinfo>"), close = xml.rfind("</contactinfo>");
  if (xml.rfind("<?xml", 0) != 0 || open == std::string::npos || close == std::string::npos) return std::nullopt;
  std::map<std::string, std::string> elements;
  for (std::size_t at = xml.find('<', open + 13); at < close; at = xml.find('<', at)) {
    const auto end = xml.find('>', at);
    const std::string name = xml.substr(at + 1, end - at - 1);
    const auto closing = xml.find("</" + name + ">", end);
    if (closing == std::string::npos) return std::nullopt;
    std::string value = xml.substr(end + 1, closing - end - 1);
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}})
      for (std::size_t p; (p = value.find(entity)) != std::string::npos;) value.replace(p, std::string(entity).size(), c);
    elements[name] = value;
    at = closing + name.size() + 3;
  }
  return elements;
}
