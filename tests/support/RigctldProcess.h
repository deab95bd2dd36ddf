#pragma once
// A real rigctld running Hamlib's dummy rig (model 1) on 127.0.0.1, started
// by the test and stopped by its process id. Its log (-vvvvv) shows every
// command it was sent.

#include <sys/types.h>

#include <string>

/// A TCP port on 127.0.0.1 that nothing listens on right now.
int FreeLocalPort();

class RigctldProcess {
 public:
  /// Starts rigctld at the port (a free one when 0), its log in logPath,
  /// and waits until it accepts connections.
  explicit RigctldProcess(std::string logPath, int port = 0);
  /// Stops it.
  ~RigctldProcess();
  RigctldProcess(const RigctldProcess&) = delete;
  RigctldProcess& operator=(const RigctldProcess&) = delete;

  /// Starts it again at the same port; false when it does not listen.
  bool Start();
  /// Ends it (SIGKILL) and waits for it: the link dies without a goodbye.
  void Kill();
  /// SIGSTOP and SIGCONT: a rigctld that hangs, with its socket still open.
  void Pause();
  void Resume();

  bool Running() const { return m_pid > 0; }
  int Port() const { return m_port; }
  /// host:port for Hamlib's NET model.
  std::string Address() const;
  /// Runs "rigctl -m 2 -r host:port ARGS" and answers its standard output.
  std::string Rigctl(const std::string& args) const;
  /// Everything rigctld has logged so far.
  std::string Log() const;

 private:
  std::string m_logPath;
  int m_port = 0;
  pid_t m_pid = -1;
  bool m_paused = false;
};
