#include "CwdaemonProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "RigctldProcess.h"

extern char** environ;

namespace {

// Keeps a broken cwdaemon from hanging the test run; not a measure of speed.
constexpr auto kStartGuard = std::chrono::seconds(20);

// One ESC h request and a dot; true when cwdaemon replies.
bool Answers(int port) {
  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool answered = false;
  if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
    const std::string speed = "\x1b" "260", tag = "\x1bhready", text = "E";
    send(fd, speed.data(), speed.size(), 0);
    send(fd, tag.data(), tag.size(), 0);
    send(fd, text.data(), text.size(), 0);
    pollfd p{fd, POLLIN, 0};
    char buffer[64];
    answered = poll(&p, 1, 500) > 0 && recv(fd, buffer, sizeof buffer, 0) > 0;
  }
  close(fd);
  return answered;
}

}  // namespace

CwdaemonProcess::CwdaemonProcess() : m_port(FreeLocalPort()) {
  const std::string port = std::to_string(m_port);
  std::vector<std::string> args{"cwdaemon", "-n", "-d", "null", "-x", "n", "-y", "n", "-p", port};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  // Debian installs it in /usr/sbin, which a user's PATH may lack.
  int rc = posix_spawn(&pid, "/usr/sbin/cwdaemon", &actions, nullptr, argv.data(), environ);
  if (rc != 0) rc = posix_spawnp(&pid, "cwdaemon", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return;
  m_pid = pid;
  const auto giveUp = std::chrono::steady_clock::now() + kStartGuard;
  while (!Answers(m_port)) {
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
      m_pid = -1;  // it ended: nothing to stop
      return;
    }
    if (std::chrono::steady_clock::now() > giveUp) {
      Kill();
      return;
    }
  }
}

CwdaemonProcess::~CwdaemonProcess() { Kill(); }

void CwdaemonProcess::Kill() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}
