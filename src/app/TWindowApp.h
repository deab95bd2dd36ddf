#pragma once
// What the main window and the dialogs it opens may ask of the program:
// the files and options to show, the contact in progress, and one call per
// command. The application object implements it; the radio's commands are
// the session's (TRadioSession.h), which the window opens here. Main thread
// only (the thread rule: platform/ThreadChecks.h).

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/TFileSet.h"
#include "data/TLogLine.h"
#include "data/TMessageTemplates.h"
#include "data/TRestartFile.h"
#include "data/TResumeChoice.h"
#include "data/TWorkedIndex.h"

struct TNetLogSettings;
struct TSioLogSettings;
class TLogJournal;
class TRadioSession;
class TSessionWindow;

/// Local log type.
enum : int { kLogTypeArrl = 0, kLogTypeAdif = 1 };

/// The Display menu's check items that only store their option.
enum class TDisplayOption { kCenteredForms, kDisableScreenSaver, kDisableAltF4 };

/// One row of the band limits dialog: the band's name and its eight limits
/// as typed (FCC min, FCC max, CW min, CW max, PH min, PH max, RY min, RY max).
struct TBandLimitRow {
  std::string name;
  std::array<std::string, 8> limits;
};

/// The main window's frame on the screen, for the radio library's centred forms.
struct TWindowBounds {
  int left = 0, right = 0, top = 0, bottom = 0;
};

class TWindowApp {
 public:
  virtual ~TWindowApp() = default;

  // ---- what the window shows ----

  /// Every path and web address of the file set.
  virtual const TFileSet& Files() const = 0;
  /// Every option of the restart file, as it stands.
  virtual const TRestartSettings& Options() const = 0;
  /// The serial ports found at start-up.
  virtual const std::vector<std::string>& SerialPorts() const = 0;
  /// The contact in progress (the logging grid's cells and details).
  virtual TLogLine& LogLine() = 0;
  /// The six message slots, expanded for the contact in progress.
  virtual const TMessageSlots& Messages() const = 0;
  /// True once: at the window's first activation.
  virtual bool TakeFirstActivation() = 0;
  /// Whether the restart file was read at start-up (the resume dialog is offered).
  virtual bool RestartFileRead() const = 0;

  // ---- options ----

  virtual void SetDisplayOption(TDisplayOption option, bool on) = 0;
  /// The panels remembered for the next start: those of the choice.
  virtual void RememberPanels(const TResumeChoice& choice) = 0;
  /// The serial I/O logging part of the options, and storing it back.
  virtual TSioLogSettings SioLogSettings() const = 0;
  virtual void StoreSioLogSettings(const TSioLogSettings& settings) = 0;
  /// The local log set up anew: its file (cut to 260 characters) and format,
  /// logging on, and the radio told.
  virtual void ChangeLocalLog(const std::string& file, int type) = 0;

  // ---- contacts and names ----

  /// "name,clubs" of the call ("N/A,N/A" when unknown), cut to length.
  virtual std::string LookupOperator(std::string_view call, std::size_t length) const = 0;
  /// Reads the names file again; false when it cannot be read.
  virtual bool LoadNamesFile() = 0;
  /// What the default log holds of the call, and whether it is a dupe on
  /// the band and mode of the contact in progress (its FREQ and MODE).
  virtual TWorkedSummary WorkedBefore(std::string_view call) = 0;
  /// Logs the contact in progress at the moment utc to the logs and hands
  /// its record line to sendSerial.
  virtual TLogLine::Logged LogTheQso(double utc, const std::function<void(const std::string&)>& sendSerial) = 0;
  /// Whether the window may close with the contact in progress: yes without
  /// an unlogged contact; when the system asked the program to end, yes
  /// after keeping the contact in Logs/Talvex_UNSAVED.txt; otherwise the
  /// operator's answer to "The contact with <CALL> was not logged. Quit anyway?".
  virtual bool MayCloseWithContact(bool endRequested) = 0;

  // ---- delivering logged contacts ----

  /// The default log as the journal that the serial I/O logging port and
  /// the network targets are fed from; every target has its position.
  virtual TLogJournal& Journal() = 0;
  /// Sends the network targets the default log's lines they have not taken yet.
  virtual void DeliverNetworkContacts() = 0;
  /// Network logging's settings (Talvex_NETLOG.txt).
  virtual TNetLogSettings NetLogSettings() = 0;
  /// Stores and applies the settings and writes their file; false when the
  /// file cannot be written (the settings apply all the same).
  virtual bool StoreNetLogSettings(const TNetLogSettings& settings) = 0;
  /// What the system said while network datagrams are refused ("" while they go).
  virtual std::string NetLogFailure() = 0;
  /// A heartbeat to the WSJT-X address of settings; what happened, for the dialog.
  virtual std::string SendNetHeartbeat(const TNetLogSettings& settings) = 0;

  // ---- files ----

  /// Replaces the restart file with the current options; false when it cannot be written.
  virtual bool WriteRestartFile() = 0;
  /// The template file changed: its messages and Auto CQ delay are read
  /// again and the delay handed to the radio.
  virtual void TemplateUpdated() = 0;
  /// The eight limits of the named band in kHz; nothing when no band has that name.
  virtual std::optional<std::array<std::int32_t, 8>> BandLimits(const std::string& name) const = 0;
  /// The rows' limits into their bands, then the radio restart file written.
  virtual void ApplyBandLimits(const std::vector<TBandLimitRow>& rows) = 0;

  // ---- the radio ----

  /// The connection sequences and radio commands for this window; the
  /// window must outlive the session.
  virtual std::unique_ptr<TRadioSession> OpenSession(TSessionWindow& window) = 0;
};
