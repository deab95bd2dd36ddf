#include "RigctldProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "TempProgramDir.h"

extern char** environ;

namespace {

// Keeps a broken rigctld from hanging the test run; not a measure of speed.
constexpr auto kStartGuard = std::chrono::seconds(20);

sockaddr_in Loopback(int port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return addr;
}

bool Listens(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return false;
  sockaddr_in addr = Loopback(port);
  bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  close(fd);
  return ok;
}

}  // namespace

int FreeLocalPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr = Loopback(0);
  socklen_t length = sizeof addr;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length) == 0) {
    port = ntohs(addr.sin_port);
  }
  close(fd);
  return port;
}

RigctldProcess::RigctldProcess(std::string logPath, int port)
    : m_logPath(std::move(logPath)), m_port(port ? port : FreeLocalPort()) {
  Start();
}

RigctldProcess::~RigctldProcess() { Kill(); }

bool RigctldProcess::Start() {
  if (m_pid > 0) return true;
  const std::string port = std::to_string(m_port);
  std::vector<std::string> args{"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", port, "-vvvvv"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, m_logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  int rc = posix_spawnp(&pid, "rigctld", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  m_pid = pid;
  auto giveUp = std::chrono::steady_clock::now() + kStartGuard;
  while (!Listens(m_port)) {
    if (std::chrono::steady_clock::now() > giveUp || waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
      m_pid = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Accepting a connection is not yet serving one: wait for an answer, so
  // that a test's first open finds a rigctld that talks.
  while (Rigctl("f").empty()) {
    if (std::chrono::steady_clock::now() > giveUp) {
      Kill();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void RigctldProcess::Kill() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
  m_paused = false;
}

void RigctldProcess::Pause() {
  if (m_pid > 0 && kill(m_pid, SIGSTOP) == 0) m_paused = true;
}

void RigctldProcess::Resume() {
  if (m_pid > 0 && kill(m_pid, SIGCONT) == 0) m_paused = false;
}

std::string RigctldProcess::Address() const { return "127.0.0.1:" + std::to_string(m_port); }

std::string RigctldProcess::Rigctl(const std::string& args) const {
  std::string command = "rigctl -m 2 -r " + Address() + " " + args + " 2>/dev/null";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

std::string RigctldProcess::Log() const { return ReadWholeFile(m_logPath); }
