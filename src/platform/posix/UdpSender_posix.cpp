#include "platform/UdpSender.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>

namespace platform {

bool UdpSender::SendTo(const std::string& host, std::uint16_t port, std::string_view bytes, int* error) {
  const auto fail = [error](int code) {
    if (error) *error = code;
    return false;
  };
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  if (inet_pton(AF_INET, host.c_str(), &to.sin_addr) != 1) return fail(EINVAL);
  if (!m_socket.Valid()) {
    FileHandle socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!socket.Valid()) return fail(errno);
    const unsigned char ttl = 1, loop = 1;
    ::setsockopt(socket.Get(), IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl);
    ::setsockopt(socket.Get(), IPPROTO_IP, IP_MULTICAST_LOOP, &loop, sizeof loop);
    m_socket = std::move(socket);
  }
  for (;;) {
    const ssize_t sent = ::sendto(m_socket.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent >= 0) break;
    if (errno != EINTR) return fail(errno);
  }
  if (error) *error = 0;
  return true;
}

}  // namespace platform
