// The kit's keyer keying through each keyer kind that reports ends, against
// its real far end: a real cwdaemon (its null device, 127.0.0.1, behind a
// relay that sees every datagram and can go deaf) and a fake WinKeyer on a
// pseudo-terminal. Each behaviour is one table over the kinds.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CwdaemonProcess.h"
#include "Eventually.h"
#include "FakeWinKeyer.h"
#include "Keyer.h"
#include "KeyerOutput.h"
#include "RigctldProcess.h"
#include "platform/Event.h"

namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return addr;
}

// Between the keyer and cwdaemon: logs what goes each way ("to ^hT1" with
// ESC as '^', "reply hT1"), forwards it, drops replies while deaf, and can
// send a reply of its own.
class CwdaemonRelay {
 public:
  explicit CwdaemonRelay(int cwdaemonPort) {
    m_near = socket(AF_INET, SOCK_DGRAM, 0);
    m_far = socket(AF_INET, SOCK_DGRAM, 0);
    m_port = FreeLocalPort();
    sockaddr_in near = Loopback(m_port), far = Loopback(cwdaemonPort);
    bind(m_near, reinterpret_cast<sockaddr*>(&near), sizeof near);
    connect(m_far, reinterpret_cast<sockaddr*>(&far), sizeof far);
    m_thread = std::thread([this] { Run(); });
  }
  ~CwdaemonRelay() {
    m_stop = true;
    m_thread.join();
    close(m_near);
    close(m_far);
  }
  int Port() const { return m_port; }
  void SetDeaf(bool deaf) { m_deaf = deaf; }
  void Inject(const std::string& reply) {
    std::lock_guard lock(m_mutex);
    sendto(m_near, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&m_peer), sizeof m_peer);
  }
  bool Saw(const std::string& entry) const {
    std::lock_guard lock(m_mutex);
    return std::find(m_log.begin(), m_log.end(), entry) != m_log.end();
  }
  /// The tag of the last ESC h request.
  std::string LastTag() const {
    std::lock_guard lock(m_mutex);
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
      if (it->rfind("to ^h", 0) == 0) return it->substr(5);
    return {};
  }

 private:
  void Run() {
    char buffer[512];
    while (!m_stop) {
      pollfd p[2] = {{m_near, POLLIN, 0}, {m_far, POLLIN, 0}};
      if (poll(p, 2, 20) <= 0) continue;
      if (p[0].revents & POLLIN) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        ssize_t n = recvfrom(m_near, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (n > 0) {
          std::string text(buffer, static_cast<std::size_t>(n));
          std::lock_guard lock(m_mutex);
          m_peer = from;
          std::string shown = text;
          std::replace(shown.begin(), shown.end(), '\x1b', '^');
          m_log.push_back("to " + shown);
          send(m_far, text.data(), text.size(), 0);
        }
      }
      if (p[1].revents & POLLIN) {
        ssize_t n = recv(m_far, buffer, sizeof buffer, 0);
        if (n <= 0) continue;
        std::string text(buffer, static_cast<std::size_t>(n));
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        std::lock_guard lock(m_mutex);
        m_log.push_back((m_deaf ? "dropped " : "reply ") + text);
        if (!m_deaf)
          sendto(m_near, buffer, static_cast<std::size_t>(n), 0, reinterpret_cast<sockaddr*>(&m_peer), sizeof m_peer);
      }
    }
  }

  int m_near = -1, m_far = -1, m_port = 0;
  std::atomic<bool> m_stop{false}, m_deaf{false};
  std::thread m_thread;
  mutable std::mutex m_mutex;
  sockaddr_in m_peer{};
  std::vector<std::string> m_log;
};

// One keyer kind with its far end.
class FarEnd {
 public:
  virtual ~FarEnd() = default;
  virtual radiokit::KeyingSettings Settings() = 0;
  virtual radiokit::PortResolver Resolver() { return nullptr; }
  /// The far end has told the end of the message with that text.
  virtual bool ToldEnd(const std::string& text) const = 0;
  virtual bool GotAbort() const = 0;
  /// Speed, weight and (where the kind has it) Farnsworth reached it.
  virtual bool GotSettings(int wpm) const = 0;
  virtual void GoSilent() = 0;
  virtual void ComeBack() = 0;
};

class CwdaemonEnd : public FarEnd {
 public:
  radiokit::KeyingSettings Settings() override {
    return radiokit::ParseKeying("cwdaemon:127.0.0.1:" + std::to_string(m_relay.Port()));
  }
  bool ToldEnd(const std::string& text) const override {
    return m_relay.Saw("to " + text) && m_relay.Saw("reply h" + m_relay.LastTag());
  }
  bool GotAbort() const override { return m_relay.Saw("to ^4"); }
  bool GotSettings(int wpm) const override {
    return m_relay.Saw("to ^2" + std::to_string(wpm)) && m_relay.Saw("to ^710");
  }
  void GoSilent() override { m_relay.SetDeaf(true); }
  void ComeBack() override { m_relay.SetDeaf(false); }
  CwdaemonRelay& Relay() { return m_relay; }
  bool Running() const { return m_cwdaemon.Running(); }

 private:
  CwdaemonProcess m_cwdaemon;
  CwdaemonRelay m_relay{m_cwdaemon.Port()};
};

class WinKeyerEnd : public FarEnd {
 public:
  radiokit::KeyingSettings Settings() override { return radiokit::ParseKeying("WINKEYER:COM7"); }
  radiokit::PortResolver Resolver() override {
    return [this](const std::string& com) {
      std::lock_guard lock(m_mutex);
      return com == "COM7" && m_keyer ? m_keyer->Device() : std::string();
    };
  }
  bool ToldEnd(const std::string& text) const override { return Keyer().Saw("keyed " + text); }
  bool GotAbort() const override { return Keyer().Saw("clear"); }
  bool GotSettings(int wpm) const override {
    return Keyer().Saw("speed " + std::to_string(wpm)) && Keyer().Saw("weight 60") && Keyer().Saw("farnsworth 15");
  }
  void GoSilent() override { Keyer().Unplug(); }
  void ComeBack() override {
    std::lock_guard lock(m_mutex);
    m_old.push_back(std::move(m_keyer));
    m_keyer = std::make_unique<FakeWinKeyer>();
  }
  FakeWinKeyer& Keyer() const {
    std::lock_guard lock(m_mutex);
    return *m_keyer;
  }

 private:
  mutable std::mutex m_mutex;
  std::unique_ptr<FakeWinKeyer> m_keyer = std::make_unique<FakeWinKeyer>();
  std::vector<std::unique_ptr<FakeWinKeyer>> m_old;
};

struct TellingRadio : radiokit::KeyerRadio {
  std::atomic<int> wpm{40};
  std::mutex mutex;
  std::vector<std::string> troubles, recoveries;
  std::atomic<int> pot{0};
  int KeyerSpeed() override { return wpm; }
  void KeyerTrouble(const std::string& text, bool recovered) override {
    std::lock_guard lock(mutex);
    (recovered ? recoveries : troubles).push_back(text);
  }
  void KeyerPotSpeed(int speed) override { pot = speed; }
  std::size_t Troubles() {
    std::lock_guard lock(mutex);
    return troubles.size();
  }
  std::size_t Recoveries() {
    std::lock_guard lock(mutex);
    return recoveries.size();
  }
};

// The kit's keyer on the real clock with the kind's output.
struct KeyerOn {
  explicit KeyerOn(FarEnd& end) {
    radiokit::KeyingSettings settings = end.Settings();
    settings.weight = 60;
    settings.farnsworth = 15;
    events.Set(radiokit::RadioEventKind::MsgStart, start);
    events.Set(radiokit::RadioEventKind::MsgOver, over);
    Drain(start);
    Drain(over);
    keyer.SetOutput(radiokit::MakeKeyerOutput(settings, keyer.Sink(), end.Resolver()));
    keyer.StartThread();
  }
  ~KeyerOn() {
    keyer.StopThread();
    keyer.SetOutput(nullptr);
    platform::CloseEvent(start);
    platform::CloseEvent(over);
  }
  bool Ready() {
    return Eventually([&] {
      const std::string state = keyer.OutputText();
      return state.find(" UP") != std::string::npos || state.find(" ANSWERS") != std::string::npos;
    });
  }
  /// Sends the text in slot 1 and waits for its start event.
  bool Send(const std::string& text) {
    keyer.SetMessage(1, text);
    keyer.Send(1);
    return Wakes(start);
  }

  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  TellingRadio radio;
  radiokit::RadioEvents events;
  radiokit::Keyer keyer{radio, events};
};

using MakeEnd = std::function<std::unique_ptr<FarEnd>()>;
struct Kind {
  const char* name;
  MakeEnd make;
};
const Kind kKinds[] = {
    {"cwdaemon", [] { return std::unique_ptr<FarEnd>(new CwdaemonEnd); }},
    {"WinKeyer", [] { return std::unique_ptr<FarEnd>(new WinKeyerEnd); }},
};

}  // namespace

TEST(KeyerOutputs, KeyingFieldNamesTheKindAndWhereItIs) {
  struct Case {
    const char* field;
    radiokit::KeyerKind kind;
    const char* host;
    int port;
    const char* com;
  } cases[] = {
      {"", radiokit::KeyerKind::Cat, "127.0.0.1", 6789, ""},
      {" rig ", radiokit::KeyerKind::Cat, "127.0.0.1", 6789, ""},
      {"NONE", radiokit::KeyerKind::None, "127.0.0.1", 6789, ""},
      {"CWDAEMON", radiokit::KeyerKind::Cwdaemon, "127.0.0.1", 6789, ""},
      {"cwdaemon:shack.local:7000", radiokit::KeyerKind::Cwdaemon, "shack.local", 7000, ""},
      {"CWDAEMON:10.0.0.2", radiokit::KeyerKind::Cwdaemon, "10.0.0.2", 6789, ""},
      {"CWDAEMON::99999", radiokit::KeyerKind::Cwdaemon, "127.0.0.1", 6789, ""},
      {"CWDAEMON:45425", radiokit::KeyerKind::Cwdaemon, "127.0.0.1", 45425, ""},
      {"winkeyer:com5", radiokit::KeyerKind::WinKeyer, "127.0.0.1", 6789, "COM5"},
      {"WINKEYER", radiokit::KeyerKind::Unknown, "127.0.0.1", 6789, ""},
      {"PADDLE", radiokit::KeyerKind::Unknown, "127.0.0.1", 6789, ""},
  };
  for (const Case& c : cases) {
    const radiokit::KeyingSettings s = radiokit::ParseKeying(c.field);
    EXPECT_EQ(s.kind, c.kind) << c.field;
    EXPECT_EQ(s.host, c.host) << c.field;
    EXPECT_EQ(s.port, c.port) << c.field;
    EXPECT_EQ(s.comPort, c.com) << c.field;
  }
}

TEST(KeyerOutputs, MessageIsOverOnlyAfterTheKeyerToldItsEnd) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    auto end = kind.make();
    {
      KeyerOn k(*end);
      ASSERT_TRUE(k.Ready()) << k.keyer.OutputText();
      for (const char* text : {"PARIS", "CQ TEST"}) {
        ASSERT_TRUE(k.Send(text));
        EXPECT_FALSE(IsSet(k.over));
        ASSERT_TRUE(Wakes(k.over));
        EXPECT_TRUE(end->ToldEnd(text)) << text << ": the over event came before the keyer's own end";
        EXPECT_GE(k.keyer.LastKeyingMs(), 0) << "a message that ran to its end";
      }
      EXPECT_TRUE(end->GotSettings(40));
      EXPECT_EQ(k.radio.Troubles(), 0u);
    }
    // The WinKeyer's host mode was opened (answered with its version) and is closed.
    if (auto* wk = dynamic_cast<WinKeyerEnd*>(end.get())) {
      EXPECT_TRUE(Eventually([&] { return wk->Keyer().Saw("close") && wk->Keyer().Log().front() == "open"; }));
    }
  }
}

TEST(KeyerOutputs, StopAbortsAtOnceAndALateEndIsNotTheNextMessages) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    auto end = kind.make();
    KeyerOn k(*end);
    ASSERT_TRUE(k.Ready()) << k.keyer.OutputText();
    k.radio.wpm = 15;
    ASSERT_TRUE(k.Send("PARIS PARIS PARIS PARIS"));
    k.keyer.Cancel();
    ASSERT_TRUE(Wakes(k.over));
    EXPECT_TRUE(Eventually([&] { return end->GotAbort(); }));
    EXPECT_FALSE(end->ToldEnd("PARIS PARIS PARIS PARIS"));
    EXPECT_EQ(k.keyer.LastKeyingMs(), -1) << "an aborted message is not a keyed one";

    // cwdaemon's reply to the aborted message, arriving late.
    if (auto* cw = dynamic_cast<CwdaemonEnd*>(end.get())) {
      const std::string aborted = cw->Relay().LastTag();
      k.radio.wpm = 40;
      ASSERT_TRUE(k.Send("TEST"));
      cw->Relay().Inject("h" + aborted + "\r\n");
    } else {
      k.radio.wpm = 40;
      ASSERT_TRUE(k.Send("TEST"));
    }
    ASSERT_TRUE(Wakes(k.over));
    EXPECT_TRUE(end->ToldEnd("TEST")) << k.keyer.OutputText();
    EXPECT_GE(k.keyer.LastKeyingMs(), 0);
  }
}

TEST(KeyerOutputs, ASilentOrUnpluggedKeyerIsToldOnceAndMessagesStillEnd) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.name);
    auto end = kind.make();
    KeyerOn k(*end);
    ASSERT_TRUE(k.Ready()) << k.keyer.OutputText();
    k.radio.wpm = 60;
    end->GoSilent();
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(k.Send("E"));
      ASSERT_TRUE(Wakes(k.over)) << "message " << i;
    }
    EXPECT_EQ(k.radio.Troubles(), 1u);
    EXPECT_EQ(k.radio.Recoveries(), 0u);

    end->ComeBack();
    // cwdaemon answers the next (timed) message; the WinKeyer is reopened.
    if (dynamic_cast<CwdaemonEnd*>(end.get())) {
      ASSERT_TRUE(k.Send("E"));
      ASSERT_TRUE(Wakes(k.over));
    }
    ASSERT_TRUE(Eventually([&] { return k.radio.Recoveries() == 1; })) << k.keyer.OutputText();
    ASSERT_TRUE(k.Ready());
    ASSERT_TRUE(k.Send("PARIS"));
    ASSERT_TRUE(Wakes(k.over));
    EXPECT_TRUE(end->ToldEnd("PARIS"));
    EXPECT_EQ(k.radio.Troubles(), 1u);
  }
}
