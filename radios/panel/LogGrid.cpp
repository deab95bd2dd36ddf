#include "LogGrid.h"

#include <QApplication>
#include <QThread>
#include <utility>
#include <vector>

#include "LogGridPanel.h"
#include "PanelRadio.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"

namespace radiopanel {

namespace {

/// Whether widgets may be made and destroyed here.
bool OnGuiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return qobject_cast<QApplication*>(app) && QThread::currentThread() == app->thread();
}

/// Keeps what the log files report while one contact is logged, so that the
/// grid shows it on its own status line (the library has no message boxes
/// of the program's).
class CollectingSink : public platform::MessageSink {
 public:
  CollectingSink() : m_previous(&platform::CurrentMessageSink()) { platform::SetMessageSink(this); }
  ~CollectingSink() override { platform::SetMessageSink(m_previous); }
  CollectingSink(const CollectingSink&) = delete;
  CollectingSink& operator=(const CollectingSink&) = delete;

  void ShowMessage(const std::string& text) override {
    m_texts.push_back(text);
    m_previous->ShowMessage(text);  // the library's own trace of it
  }
  platform::MessageAnswer Ask(const std::string& caption, const std::string& text, platform::MessageIcon icon,
                              platform::MessageButtons buttons) override {
    return m_previous->Ask(caption, text, icon, buttons);
  }
  const std::vector<std::string>& Texts() const { return m_texts; }

 private:
  platform::MessageSink* m_previous;
  std::vector<std::string> m_texts;
};

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

LogGrid::LogGrid(RadioReader reader, std::string programVersion)
    : m_reader(std::move(reader)), m_programVersion(std::move(programVersion)), m_clock(UtcNow) {}

LogGrid::~LogGrid() { Close(); }

void LogGrid::Show() {
  if (!OnGuiThread()) return;
  if (!m_panel) m_panel = new LogGridPanel(*this);
  ReadRadio();
  m_panel->ShowLine();
  m_panel->show();
  m_panel->raise();
  m_panel->FocusStation();
}

void LogGrid::Hide() {
  if (m_panel && OnGuiThread()) m_panel->hide();
}

void LogGrid::Close() {
  if (!m_panel) return;
  // Without its application (or off its thread) the window cannot be
  // destroyed safely: it is left to the process's end.
  if (OnGuiThread()) delete m_panel;
  m_panel = nullptr;
}

bool LogGrid::Visible() const { return m_panel && m_panel->isVisible(); }

void LogGrid::SetNamesFile(const char* path) {
  m_operators.clear();
  const std::string file = Text(path);
  m_namesProblem = m_operators.LoadNamesFile(file)
                       ? std::string()
                       : "Could not open operator names/history file " + (file.empty() ? "(no file name)" : file);
  if (m_panel) m_panel->SetStatus(QString::fromStdString(m_namesProblem));
}

void LogGrid::SetLogFile(bool adif, const char* path) {
  m_localLogAdif = adif;
  m_localLogFile = Text(path);
}

void LogGrid::SetDefaultLogFile(const char* path) { m_defaultLogFile = Text(path); }

void LogGrid::SetWantsLog(bool wantsLog) { m_wantsLog = wantsLog; }

void LogGrid::SetShowMembers(bool showCwops, bool showFoc) {
  m_showCwop = showCwops;
  m_showFoc = showFoc;
}

void LogGrid::SetClock(Clock clock) { m_clock = clock ? std::move(clock) : Clock(UtcNow); }

std::string LogGrid::Lookup(std::string_view call) const {
  // The program's grid asks for 23 characters: the same cut here.
  return m_operators.Lookup(call, 23, m_showFoc, m_showCwop);
}

void LogGrid::ReadRadio() {
  if (!m_reader) return;
  const LogGridRadioValues values = m_reader();
  if (!values.known) return;
  m_line.SetCell(kCellFreq, FrequencyCellText(values.hz, 11));
  m_line.SetCell(kCellMode, ModeCellText(values.mode, 5));
  m_line.SetCell(kCellPower, PowerCellText(values.watts, 3));
}

std::string LogGrid::LogContact(TLogLine::Logged* outcome) {
  if (outcome) *outcome = TLogLine::Logged::kKept;
  if (!m_wantsLog) return "Not logged: the program has not asked this radio to log";
  const std::string call = UpperCase(Trim(m_line.Cell(kCellStation)));
  CollectingSink reports;
  const bool local = !m_localLogFile.empty();
  bool localWritten = true;
  const TLogLine::Logged logged = m_line.Log(
      m_clock(), {.appendDefault = [this](const std::string& line) {
                    return m_contactLog.AppendLine(m_defaultLogFile, line);
                  },
                  .appendLocal = [&](const TLogContact& contact) {
                    if (!local) return true;
                    localWritten = m_contactLog.AppendLocal(m_localLogFile, m_localLogAdif, contact, m_programVersion);
                    return localWritten;
                  },
                  .sendSerial = nullptr});
  if (outcome) *outcome = logged;
  if (logged == TLogLine::Logged::kNoCall) return "Not logged: STN.WRKD holds no call sign";
  // The file's own words (with the system's reason) when it gave them; a
  // file reports only its first failure of a run.
  const auto failure = [&reports](const std::string& path) {
    return reports.Texts().empty() ? TContactLog::FailureText(path) : reports.Texts().back();
  };
  if (logged == TLogLine::Logged::kKept) return "Not logged - " + failure(m_defaultLogFile);
  if (!localWritten) return "Logged " + call + ", not in the local log - " + failure(m_localLogFile);
  return "Logged " + call;
}

LogGrid::RadioReader ReadFrom(const PanelRadio& radio) {
  return [&radio] {
    const PanelState state = radio.State();
    LogGridRadioValues values;
    values.known = state.answering && state.poweredOn;
    values.hz = state.activeVfo == 'B' ? state.vfoB : state.vfoA;
    values.mode = state.mode;
    values.watts = state.power;
    return values;
  };
}

}  // namespace radiopanel
