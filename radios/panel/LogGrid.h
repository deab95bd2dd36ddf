#pragma once
// The logging grid a radio library attaches to its panel: the contact in
// progress (the program's own TLogLine, so every keystroke rule is the
// program's), the names lookup from the file the program named, and the
// log step into the files the program named. The grid window exists only
// while it is shown, with a QApplication, on that application's thread.
//
// A library keeps one LogGrid per radio and forwards each export with one
// line:
//   SHOWLOGGRID        grid.Show()
//   HIDELOGGRID        grid.Hide()
//   SETNAMESHISTORYFILE grid.SetNamesFile(path)
//   SETLOGFILE         grid.SetLogFile(isAdif, path)
//   SETDEFAULTLOGFILE  grid.SetDefaultLogFile(path)
//   SETWANTSLOG        grid.SetWantsLog(wantsLog)
//   SETSHOWMEMBERS     grid.SetShowMembers(showCwops, showFoc)
//   DISCONNECTRADIO    grid.Close()
// Every member is called on the thread that calls the library's exports,
// which is the program's main thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "data/TContactLog.h"
#include "data/TLogLine.h"
#include "data/TOperatorList.h"

namespace radiopanel {

class PanelRadio;
class LogGridPanel;

/// What the grid shows in FREQ, MODE and POWER; nothing while not known.
struct LogGridRadioValues {
  bool known = false;
  std::int64_t hz = 0;
  std::string mode;  // the radio's own mode name ("USB", "CW-R" ...)
  int watts = 0;
};

class LogGrid {
 public:
  using RadioReader = std::function<LogGridRadioValues()>;
  /// The UTC moment the grid stamps and logs with (days since 1899-12-30).
  using Clock = std::function<double()>;

  /// reader is asked a few times a second while the grid shows; the
  /// version goes into the header of a new ADIF log.
  LogGrid(RadioReader reader, std::string programVersion);
  /// Destroys the window (see Close).
  ~LogGrid();
  LogGrid(const LogGrid&) = delete;
  LogGrid& operator=(const LogGrid&) = delete;

  /// Shows the grid window (built at the first show); without a QApplication
  /// on this thread only the wish is kept, and nothing is shown.
  void Show();
  void Hide();
  /// Destroys the window now (the radio is disconnected or the library goes);
  /// the contact in progress and the settings stay.
  void Close();
  /// Whether the window is there and shown.
  bool Visible() const;

  /// Reads the names file now (replacing the names read before); a file that
  /// cannot be read leaves no names, and the grid says so.
  void SetNamesFile(const char* path);
  void SetLogFile(bool adif, const char* path);
  void SetDefaultLogFile(const char* path);
  void SetWantsLog(bool wantsLog);
  /// The export's order: CWOps first.
  void SetShowMembers(bool showCwops, bool showFoc);
  /// Replaces the UTC clock (tests fix the moment).
  void SetClock(Clock clock);

  // ---- For the window ----

  TLogLine& Line() { return m_line; }
  /// The names lookup of a call sign: "name,orgs", "N/A" for an unknown part.
  std::string Lookup(std::string_view call) const;
  double Now() const { return m_clock(); }
  /// FREQ, MODE and POWER from the radio, when it tells them.
  void ReadRadio();

  /// Logs the contact in the line into the default and local logs. Returns
  /// what the operator is told: "Logged <CALL>", or why nothing (or not
  /// everything) was written; the line stays when the default log did not
  /// take it.
  std::string LogContact(TLogLine::Logged* outcome = nullptr);

  /// What the grid tells the operator about the names file ("" when read).
  const std::string& NamesProblem() const { return m_namesProblem; }

 private:
  RadioReader m_reader;
  std::string m_programVersion;
  Clock m_clock;
  TLogLine m_line;
  TOperatorList m_operators;
  TContactLog m_contactLog;
  std::string m_namesProblem;
  std::string m_defaultLogFile;
  std::string m_localLogFile;
  bool m_localLogAdif = false;
  bool m_wantsLog = false;
  bool m_showFoc = false;
  bool m_showCwop = false;
  // Owned; a plain pointer so that it is deleted only where Qt allows it.
  LogGridPanel* m_panel = nullptr;
};

/// A reader of FREQ, MODE and POWER from a soft panel's radio (its active VFO).
LogGrid::RadioReader ReadFrom(const PanelRadio& radio);

}  // namespace radiopanel
