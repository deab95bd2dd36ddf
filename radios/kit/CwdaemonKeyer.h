#pragma once
// Keying through cwdaemon: text and escape requests as UDP datagrams to its
// address. Before each message: ESC 2 speed, ESC 7 weight (cwdaemon's
// -50..50 from our 10..90), then ESC h with the message's tag, so that the
// reply "h<tag>" after the text has been keyed names the message it ends
// (a late reply of an aborted message is not taken for the next one's end).
// Stop is ESC 4. A cwdaemon that leaves a message unanswered is told once;
// messages are then timed until it answers again. cwdaemon has no
// Farnsworth spacing, so that setting is not used here.
//
// A thread of its own reads the replies. Members may be called from any thread.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "KeyerOutput.h"

namespace radiokit {

/// The longest text request cwdaemon takes in one datagram.
constexpr std::size_t kCwdaemonPacket = 200;

class CwdaemonKeyer : public KeyerOutput {
 public:
  CwdaemonKeyer(const KeyingSettings& settings, KeyerSink& sink);
  ~CwdaemonKeyer() override;
  CwdaemonKeyer(const CwdaemonKeyer&) = delete;
  CwdaemonKeyer& operator=(const CwdaemonKeyer&) = delete;

  bool ReportsEnd() const override;
  void Start(const std::string& text, int wpm, std::uint64_t message) override;
  void Abort() override;
  void Overdue(std::uint64_t message) override;
  /// "CWDAEMON host:port ANSWERS|SILENT REPLIES=n STALE=n"
  std::string Describe() const override;

  /// The text as cwdaemon is sent it: upper case, only what has Morse (and
  /// blanks); its speed and spacing marks (+ - ~ ^ *) are dropped.
  static std::string KeyableText(const std::string& text);

 private:
  void Read();
  void SendRaw(const std::string& datagram);
  std::string Where() const;

  KeyingSettings m_settings;
  KeyerSink& m_sink;
  int m_fd = -1;
  std::atomic<bool> m_stop{false};
  std::thread m_reader;

  mutable std::mutex m_mutex;
  std::uint64_t m_current = 0;  // the message being keyed, 0: none
  bool m_silent = false;
  int m_replies = 0;
  int m_stale = 0;
  std::string m_problem;  // why the socket could not be made
};

}  // namespace radiokit
