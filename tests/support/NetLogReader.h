#pragma once
// A small reader of what network logging sends, written from the published
// formats and nothing of ours: WSJT-X's UDP messages (big-endian
// QDataStream: magic, schema, type, id, then the type's fields) and N1MM's
// contactinfo XML. And a UDP socket on 127.0.0.1 to receive them with.

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
  LoopbackReceiver() {
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_fd, reinterpret_cast<sockaddr*>(&at), sizeof at);
    socklen_t size = sizeof at;
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
    if (::poll(&p, 1, timeoutMs) != 1) return std::nullopt;
    std::string bytes(65536, '\0');
    const ssize_t got = ::recv(m_fd, bytes.data(), bytes.size(), 0);
    if (got < 0) return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
  }

 private:
  int m_fd = -1;
  std::uint16_t m_port = 0;
};

/// One WSJT-X message: its header and its fields in order, each as text
/// (numbers in decimal, a QDateTime as "JD <day> MS <ms> SPEC <spec>").
struct WsjtxMessage {
  std::uint32_t magic = 0, schema = 0, type = 0;
  std::string id;
  std::vector<std::string> fields;
  bool complete = false;  // every byte read, none left over
};

/// Reads a message of the types 0, 5 and 12 by their published field lists.
inline WsjtxMessage ReadWsjtx(const std::string& bytes) {
  WsjtxMessage m;
  std::size_t at = 0;
  bool ok = true;
  auto need = [&](std::size_t n) { return ok = ok && at + n <= bytes.size(); };
  auto u = [&](int size) -> std::uint64_t {
    if (!need(static_cast<std::size_t>(size))) return 0;
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at++]);
    return v;
  };
  auto utf8 = [&]() -> std::string {
    const std::uint64_t n = u(4);
    if (n == 0xffffffffu) return {};
    if (!need(n)) return {};
    std::string s = bytes.substr(at, n);
    at += n;
    return s;
  };
  auto dateTime = [&]() {
    const auto day = static_cast<std::int64_t>(u(8));
    const auto ms = u(4);
    const auto spec = u(1);
    return "JD " + std::to_string(day) + " MS " + std::to_string(ms) + " SPEC " + std::to_string(spec);
  };
  m.magic = static_cast<std::uint32_t>(u(4));
  m.schema = static_cast<std::uint32_t>(u(4));
  m.type = static_cast<std::uint32_t>(u(4));
  m.id = utf8();
  switch (m.type) {
    case 0:  // Heartbeat: maximum schema, version, revision
      m.fields = {std::to_string(u(4)), utf8(), utf8()};
      break;
    case 5: {  // QSO Logged
      m.fields.push_back(dateTime());                           // date & time off
      for (int i = 0; i < 2; ++i) m.fields.push_back(utf8());  // DX call, DX grid
      m.fields.push_back(std::to_string(u(8)));                // Tx frequency (Hz)
      for (int i = 0; i < 6; ++i) m.fields.push_back(utf8());  // mode, rst sent, rst rcvd, power, comments, name
      m.fields.push_back(dateTime());                           // date & time on
      for (int i = 0; i < 6; ++i) m.fields.push_back(utf8());  // operator, my call, my grid, exch sent, exch rcvd, prop mode
      break;
    }
    case 12:  // Logged ADIF
      m.fields = {utf8()};
      break;
    default:
      ok = false;
  }
  m.complete = ok && at == bytes.size();
  return m;
}

/// The names of a type 5 message's fields, in order.
inline const std::vector<std::string>& QsoLoggedFieldNames() {
  static const std::vector<std::string> names{
      "Date & Time Off", "DX call",       "DX grid",         "Tx frequency (Hz)", "Mode",
      "Report sent",     "Report received", "Tx power",      "Comments",          "Name",
      "Date & Time On",  "Operator call", "My call",         "My grid",           "Exchange sent",
      "Exchange received", "ADIF Propagation mode"};
  return names;
}

/// The child elements of a contactinfo document, by name; nothing when the
/// document is not one (no XML declaration, no <contactinfo> root).
inline std::optional<std::map<std::string, std::string>> ReadContactInfo(const std::string& xml) {
  if (xml.rfind("<?xml", 0) != 0) return std::nullopt;
  const auto open = xml.find("<contactinfo>"), close = xml.rfind("</contactinfo>");
  if (open == std::string::npos || close == std::string::npos) return std::nullopt;
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
