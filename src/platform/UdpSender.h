#pragma once
// Sends UDP datagrams to IPv4 addresses, a multicast group included (sent
// with a time-to-live of 1, so it stays on the local network). It never
// binds a chosen port and never reads: nothing from the network reaches the
// program through it. Not thread-safe; one owner.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileHandle.h"

namespace platform {

class UdpSender {
 public:
  UdpSender() = default;
  UdpSender(UdpSender&&) noexcept = default;
  UdpSender& operator=(UdpSender&&) noexcept = default;

  /// Sends the bytes as one datagram to host (dotted IPv4) and port. False,
  /// with the system's code in *error, when the address cannot be read or
  /// the system refuses the datagram. The socket is made at the first send.
  bool SendTo(const std::string& host, std::uint16_t port, std::string_view bytes, int* error = nullptr);

 private:
  FileHandle m_socket;
};

}  // namespace platform
