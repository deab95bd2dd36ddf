#include "HamlibRadio.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "LibraryFile.h"
#include "PortTable.h"

namespace hamlibradio {
namespace {

using Clock = std::chrono::steady_clock;

// A radio that does not answer is asked again at this pace.
constexpr auto kReopenPause = std::chrono::seconds(2);
// Connect waits this long for the worker to create the handle; only a call
// of the other radio holding Hamlib can make it wait at all.
constexpr auto kInitWait = std::chrono::seconds(1);

std::string UtcStamp() {
  using namespace std::chrono;
  auto now = system_clock::now();
  auto day = floor<days>(now);
  year_month_day date{day};
  hh_mm_ss time{floor<seconds>(now - day)};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld UTC", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                static_cast<long>(time.seconds().count()));
  return text;
}

// Workers let go at disconnect while stuck in a Hamlib call. Made when the
// library is loaded, so it goes only after the library object, whose
// destruction waits for them.
struct LetGoWorkers {
  std::mutex mutex;
  std::condition_variable ended;
  int running = 0;
} g_letGo;

LetGoWorkers& LetGo() { return g_letGo; }

}  // namespace

bool WaitForLetGoWorkers(std::chrono::milliseconds guard) {
  std::unique_lock lock(LetGo().mutex);
  return LetGo().ended.wait_for(lock, guard, [] { return LetGo().running == 0; });
}

HamlibRadio::HamlibRadio() : m_keyer(*this, m_events) {}

HamlibRadio::~HamlibRadio() { Disconnect(); }

void HamlibRadio::Connect(const char* portName, RadioEvent radioChangeEvent, const char* connectionText,
                          const std::string& libraryDir) {
  Disconnect();
  ConnectionSettings settings = ParseConnectionText(connectionText ? connectionText : "");
  SavedSettings saved = ReadSavedSettings(libraryDir + "/" + kSettingsFileName);

  if (settings.keyingFromSettings && !saved.keying.empty()) SetKeying(settings, saved.keying);
  if (saved.weight > 0) settings.keyer.weight = saved.weight;
  settings.keyer.farnsworth = saved.farnsworth;

  LinkOptions options;
  std::string configError;
  options.model = settings.model;
  options.path = settings.rigPath;
  if (options.model == 0) {
    options.model = saved.model;
    if (!saved.rigPath.empty()) options.path = saved.rigPath;
  }
  if (options.path == "-") {
    const std::string port = portName ? portName : "";
    radiokit::PortTable ports(libraryDir + "/" + kPortFileName);
    options.path = ports.DeviceOf(port);
    if (options.path.empty())
      configError = "The serial port \"" + port + "\" is not in the port table (Devices/" + kPortFileName + ")";
  }
  if (options.model == 0)
    configError = "No Hamlib model: put its number (rigctl -l) in extra1 of the devices entry, "
                  "or choose one in the settings";
  options.baud = settings.baud;
  options.setLines = settings.hasTag;
  options.rtsOn = settings.rtsOn;
  options.dtrOn = settings.dtrOn;
  options.timeoutMs = saved.timeoutMs;
  options.retry = saved.retry;
  std::vector<Macro> macros = ReadMacroFile(libraryDir + "/" + kMacroFileName);

  Lock lock(m_mutex);
  m_connected = true;
  m_libraryDir = libraryDir;
  m_settings = settings;
  m_options = options;
  m_initialised = false;
  m_info = ModelInfo{};
  m_macros = std::move(macros);
  m_reading = RigReading{};
  m_meters = RigMeters{};
  m_pendingHz[0] = m_pendingHz[1] = 0;
  m_frequencyQueued[0] = m_frequencyQueued[1] = false;
  m_keyedText.clear();
  if (!settings.baud.empty()) m_baud = settings.baud;
  m_link = LinkState::Waiting;
  m_lastError.clear();
  m_noAnswerReported = false;
  m_reports = m_recoveries = m_polls = m_opens = m_morseSent = 0;
  m_keyerWpm = 0;
  m_lastMorse.clear();
  m_readNow = false;
  m_commands.clear();
  m_control = std::make_shared<WorkerControl>();
  if (settings.keying == CwKeying::Unknown)
    m_lastError = "CW keying \"" + settings.keyingText + "\" is not known (RIG, NONE, CWDAEMON[:host:port] or "
                  "WINKEYER:COMn): messages are not keyed";
  m_worker = std::thread(&HamlibRadio::WorkerMain, this, m_control, options, configError);
  m_events.Set(radiokit::RadioEventKind::RadioChange, radioChangeEvent);
  // Made without the lock: its thread reports through KeyerTrouble at once.
  lock.unlock();
  const std::string portFile = libraryDir + "/" + kPortFileName;
  m_keyer.SetOutput(radiokit::MakeKeyerOutput(settings.keyer, m_keyer.Sink(), [portFile](const std::string& com) {
    return radiokit::PortTable(portFile).DeviceOf(com);
  }));
  lock.lock();
  m_keyer.StartThread();
  // The program reads the mode names and RIT support right after this call.
  if (!m_initDone.wait_for(lock, kInitWait, [&] { return m_initialised; })) {
    // Hamlib is busy with a worker let go before: a late worker keeps the
    // names given out here.
    KnownModes(m_info.modeNames, m_info.modeBits);
    m_initialised = true;
  }
  Raise(lock, radiokit::RadioEventKind::RadioChange);
}

void HamlibRadio::Disconnect() {
  std::thread worker;
  std::shared_ptr<WorkerControl> control;
  {
    Lock lock(m_mutex);
    if (m_control) m_control->stop = true;
    worker = std::move(m_worker);
    control = std::move(m_control);
  }
  m_workerWake.notify_all();
  m_keyer.StopThread();
  // Closes cwdaemon's socket or the WinKeyer's host mode and port.
  m_keyer.SetOutput(nullptr);
  bool letGo = false;
  if (worker.joinable()) {
    std::unique_lock wait(control->mutex);
    if (control->finished.wait_for(wait, kDisconnectWait, [&] { return control->done; })) {
      wait.unlock();
      worker.join();
    } else {
      // The program unloads the library next: keep it loaded for the worker.
      control->letGo = true;
      {
        std::lock_guard count(LetGo().mutex);
        ++LetGo().running;
      }
      wait.unlock();
      radiokit::PinLibraryOf(reinterpret_cast<const void*>(&WaitForLetGoWorkers));
      worker.detach();
      letGo = true;
    }
  }
  Lock lock(m_mutex);
  if (letGo) Log(lock, "Disconnected; the radio's last Hamlib call ends on its own.");
  else if (m_connected) Log(lock, "Disconnected.");
  m_connected = false;
  m_link = LinkState::Idle;
  m_commands.clear();
  m_events.Forget();
}

bool HamlibRadio::Connected() const {
  Lock lock(m_mutex);
  return m_connected;
}

void HamlibRadio::SetLogRequestEvent(RadioEvent event) { m_events.Set(radiokit::RadioEventKind::LogRequest, event); }

void HamlibRadio::SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent) {
  m_events.Set(radiokit::RadioEventKind::MsgOver, msgOverEvent);
  m_events.Set(radiokit::RadioEventKind::MsgStart, msgStartEvent);
}

RigReading HamlibRadio::Reading() const {
  Lock lock(m_mutex);
  return WithKeyerSpeed(lock, m_reading);
}

int HamlibRadio::ModeIndex() const {
  Lock lock(m_mutex);
  auto it = std::find(m_info.modeBits.begin(), m_info.modeBits.end(), m_reading.mode);
  if (m_reading.mode == 0 || it == m_info.modeBits.end()) return -1;
  return static_cast<int>(it - m_info.modeBits.begin());
}

std::vector<std::string> HamlibRadio::ModeNames() const {
  Lock lock(m_mutex);
  return m_info.modeNames;
}

bool HamlibRadio::SupportsRit() const {
  Lock lock(m_mutex);
  return m_connected && m_info.rit;
}

bool HamlibRadio::SupportsXit() const {
  Lock lock(m_mutex);
  return m_connected && m_info.xit;
}

void HamlibRadio::RequestRead() {
  {
    Lock lock(m_mutex);
    m_readNow = true;
  }
  m_workerWake.notify_all();
}

std::string HamlibRadio::Baud() const {
  Lock lock(m_mutex);
  return m_baud;
}

void HamlibRadio::SetBaud(std::string_view baud) {
  std::string digits;
  for (char c : baud) {
    if (c < '0' || c > '9') break;
    digits += c;
  }
  if (digits.empty()) return;
  Lock lock(m_mutex);
  m_baud = digits.substr(0, 10);
}

void HamlibRadio::SetKnob(char knob) {
  if (knob != 'A' && knob != 'B') return;
  Lock lock(m_mutex);
  m_knob = knob;
}

char HamlibRadio::Knob() const {
  Lock lock(m_mutex);
  return m_knob;
}

// ---- The worker -------------------------------------------------------------------

void HamlibRadio::WorkerMain(std::shared_ptr<WorkerControl> control, LinkOptions options,
                             std::string configError) {
  WorkerLoop(*control, std::move(options), std::move(configError));
  std::lock_guard lock(control->mutex);
  control->done = true;
  control->finished.notify_all();
  if (control->letGo) {
    std::lock_guard count(LetGo().mutex);
    --LetGo().running;
    LetGo().ended.notify_all();
  }
}

// Once told to stop, the worker touches nothing of the radio's but its
// mutex: after every Hamlib call it checks before anything else.
void HamlibRadio::WorkerLoop(const WorkerControl& control, LinkOptions options, std::string configError) {
  RigLink link(control.stop);
  std::string error = configError;
  const bool ready = configError.empty() && link.Init(options, &error);
  Lock lock(m_mutex);
  if (control.stop) return;
  if (!m_initialised) {
    m_info = link.Info();
    m_initialised = true;
  } else {
    // Connect gave up waiting: keep what it gave out, learn the rest.
    std::vector<std::string> names = std::move(m_info.modeNames);
    std::vector<std::uint64_t> bits = std::move(m_info.modeBits);
    m_info = link.Info();
    m_info.modeNames = std::move(names);
    m_info.modeBits = std::move(bits);
  }
  m_initDone.notify_all();
  if (!ready) {
    m_link = LinkState::Failed;
    Report(lock, error);
    m_workerWake.wait(lock, [&] { return control.stop.load(); });
    return;
  }
  Log(lock, "Connecting to " + Who() + " (time-out " + std::to_string(m_info.timeoutMs) + " ms, retry " +
                std::to_string(m_info.retry) + ").");

  auto nextOpen = Clock::now();
  auto nextPoll = Clock::now();
  const auto pollEvery = std::chrono::milliseconds(m_settings.pollMs);
  while (!control.stop) {
    if (!m_commands.empty()) {
      Command command = std::move(m_commands.front());
      m_commands.pop_front();
      const bool wasOpen = link.IsOpen();
      if (!Execute(control, link, command, lock)) break;
      if (wasOpen && !link.IsOpen()) nextOpen = Clock::now() + kReopenPause;
      continue;
    }
    const auto now = Clock::now();
    auto wake = [&] { return control.stop || !m_commands.empty() || m_readNow; };
    if (m_link == LinkState::Off) {
      m_workerWake.wait(lock, [&] { return control.stop || !m_commands.empty(); });
      continue;
    }
    if (!link.IsOpen()) {
      if (now < nextOpen) {
        m_workerWake.wait_until(lock, nextOpen, [&] { return control.stop || !m_commands.empty(); });
        continue;
      }
      ++m_opens;
      RigReading reading = m_reading;
      RigMeters meters = m_meters;
      const bool keying = KeyingNow(lock);
      lock.unlock();
      bool opened = link.Open(&error);
      RigLink::PollResult result = opened ? link.Poll(reading, meters, keying, &error) : RigLink::PollResult::Lost;
      if (opened && result == RigLink::PollResult::Lost) link.Close(false);
      lock.lock();
      if (control.stop || result == RigLink::PollResult::Stopped) break;
      if (result == RigLink::PollResult::Ok) {
        // rigctld has told its radio's abilities now.
        m_info.abilities = link.Info().abilities;
        m_meters = meters;
        Answered(lock, reading);
        nextPoll = Clock::now() + pollEvery;
      } else {
        NotAnswered(lock, error);
        nextOpen = Clock::now() + kReopenPause;
      }
      continue;
    }
    if (now < nextPoll && !m_readNow) {
      m_workerWake.wait_until(lock, nextPoll, wake);
      continue;
    }
    m_readNow = false;
    RigReading reading = m_reading;
    RigMeters meters = m_meters;
    const bool keying = KeyingNow(lock);
    lock.unlock();
    RigLink::PollResult result = link.Poll(reading, meters, keying, &error);
    if (result == RigLink::PollResult::Lost) link.Close(false);
    lock.lock();
    if (control.stop || result == RigLink::PollResult::Stopped) break;
    if (result == RigLink::PollResult::Ok) {
      ++m_polls;
      m_meters = meters;
      Apply(lock, reading);
    } else {
      LinkLost(lock, error);
      nextOpen = Clock::now() + kReopenPause;
    }
    nextPoll = Clock::now() + pollEvery;
  }
  lock.unlock();
  link.Close(true);
}

bool HamlibRadio::Execute(const WorkerControl& control, RigLink& link, const Command& command, Lock& lock) {
  if (command.kind == Command::Kind::Action) return ExecuteAction(control, link, command.action, lock);
  const bool open = link.IsOpen();
  std::string error;
  int rc = 0;
  lock.unlock();
  switch (command.kind) {
    case Command::Kind::Morse: rc = link.SendMorse(command.text); break;
    case Command::Kind::StopMorse: rc = open ? link.StopMorse() : 0; break;
    case Command::Kind::PowerOff: rc = link.PowerOff(); break;
    case Command::Kind::Action: break;
    case Command::Kind::Macro:
      for (const std::string& step : command.commands) {
        rc = link.RunCommand(step, &error);
        if (rc != 0) break;
      }
      break;
  }
  if (rc != 0 && error.empty()) error = RigLink::ErrorText(rc);
  const bool lost = open && rc != 0 && RigLink::IsLinkError(rc);
  if (lost) link.Close(false);
  lock.lock();
  if (control.stop) return false;

  switch (command.kind) {
    case Command::Kind::Morse:
      if (rc == 0) {
        ++m_morseSent;
        m_lastMorse = command.text;
      } else {
        // The message did not go: it ends now rather than after its time.
        m_keyer.EndMessage(command.message);
        m_lastError = "The radio did not take the message: " + error;
        Log(lock, m_lastError);
      }
      break;
    case Command::Kind::Action:
    case Command::Kind::StopMorse:
      break;  // rigctld and many models have no way to stop the keyer
    case Command::Kind::PowerOff:
      if (rc == 0) {
        lock.unlock();
        link.Close(false);
        lock.lock();
        if (control.stop) return false;
        m_link = LinkState::Off;
        Log(lock, "Switched the radio off.");
      } else {
        m_lastError = "Could not switch the radio off: " + error;
        Log(lock, m_lastError);
      }
      return true;
    case Command::Kind::Macro:
      if (rc != 0) {
        m_lastError = "Macro \"" + command.text + "\": " + error;
        Log(lock, m_lastError);
      }
      m_readNow = true;
      break;
  }
  if (lost) LinkLost(lock, error);
  return true;
}

void HamlibRadio::Apply(Lock& lock, const RigReading& reading) {
  if (reading == m_reading) return;
  m_reading = reading;
  Raise(lock, radiokit::RadioEventKind::RadioChange);
}

void HamlibRadio::Answered(Lock& lock, const RigReading& reading) {
  if (m_link == LinkState::Lost) {
    ++m_recoveries;
    Log(lock, "The radio answers again.");
  } else {
    Log(lock, "The radio answers.");
  }
  m_link = LinkState::Up;
  m_noAnswerReported = false;
  ++m_polls;
  Apply(lock, reading);
}

void HamlibRadio::NotAnswered(Lock& lock, const std::string& error) {
  if (m_link == LinkState::Waiting && !m_noAnswerReported) {
    m_noAnswerReported = true;
    Report(lock, "No answer from the radio (" + Who() + "): " + error + ". Still trying every 2 seconds.");
  } else {
    m_lastError = error;
  }
}

void HamlibRadio::LinkLost(Lock& lock, const std::string& error) {
  if (m_link != LinkState::Up) return;
  m_link = LinkState::Lost;
  Report(lock, "Lost contact with the radio (" + Who() + "): " + error + ". Reconnecting.");
}

void HamlibRadio::Report(Lock& lock, const std::string& text) {
  ++m_reports;
  m_lastError = text;
  Log(lock, text, true);
}

// Under the lock, so that a worker told to stop never writes after a new
// connection began; a line is a few dozen bytes.
void HamlibRadio::Log(Lock&, const std::string& text, bool alsoStderr) {
  std::ofstream(m_libraryDir + "/" + kLogFileName, std::ios::app | std::ios::binary)
      << UtcStamp() << "  " << text << "\n";
  if (alsoStderr) std::fprintf(stderr, "HamlibRadio: %s\n", text.c_str());
}

void HamlibRadio::Raise(Lock& lock, radiokit::RadioEventKind kind) {
  lock.unlock();
  m_events.Raise(kind);
  lock.lock();
}

std::string HamlibRadio::Who() const {
  std::string name = m_info.name.empty() ? "model" : m_info.name + ", model";
  return name + " " + std::to_string(m_options.model) + " at " + m_options.path;
}

}  // namespace hamlibradio
