#include "LogGrid.h"

#include <QApplication>
#include <QThread>
#include <cstdio>
#include <utility>

#include "LogGridPanel.h"
#include "PanelRadio.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"

namespace radiopanel {

namespace {

/// Whether widgets may be made and destroyed here.
bool OnGuiThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return qobject_cast<QApplication*>(app) && QThread::currentThread() == app->thread();
}

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
  const bool local = !m_localLogFile.empty();
  // The grid says on its own status line why a file did not take the
  // contact; what else a file has to say goes to the library's trace.
  std::string defaultFailure, localFailure;
  const auto noted = [](const TLogAppend& append, std::string& failure) {
    if (append.written && !append.message.empty()) std::fprintf(stderr, "%s\n", append.message.c_str());
    failure = append.failure;
    return append.written;
  };
  const TLogLine::Logged logged = m_line.Log(
      m_clock(), {.appendDefault = [&](const std::string& line) {
                    return noted(m_contactLog.AppendLine(m_defaultLogFile, line), defaultFailure);
                  },
                  .appendLocal = [&](const TLogContact& contact) {
                    if (!local) return true;
                    return noted(m_contactLog.AppendLocal(m_localLogFile, m_localLogAdif, contact, m_programVersion),
                                 localFailure);
                  },
                  .sendSerial = nullptr});
  if (outcome) *outcome = logged;
  if (logged == TLogLine::Logged::kNoCall) return "Not logged: STN.WRKD holds no call sign";
  if (logged == TLogLine::Logged::kKept) return "Not logged - " + defaultFailure;
  if (!localFailure.empty()) return "Logged " + call + ", not in the local log - " + localFailure;
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
