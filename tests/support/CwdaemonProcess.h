#pragma once
// A real cwdaemon (Debian's) keying its null device, no sound, on a UDP port
// of 127.0.0.1, started by the test and stopped by its process id.

#include <sys/types.h>

#include <string>

class CwdaemonProcess {
 public:
  /// Starts cwdaemon -n -d null -x n at a free port and waits until it
  /// answers an ESC h request.
  CwdaemonProcess();
  ~CwdaemonProcess();
  CwdaemonProcess(const CwdaemonProcess&) = delete;
  CwdaemonProcess& operator=(const CwdaemonProcess&) = delete;

  bool Running() const { return m_pid > 0; }
  int Port() const { return m_port; }
  /// Ends it (SIGKILL) and waits for it.
  void Kill();

 private:
  int m_port = 0;
  pid_t m_pid = -1;
};
