#pragma once
// The resume dialog: offers, item by item, to pick up where the previous run
// left off. It is prepared once from the values it is handed and reports the
// operator's choice in flags; the opener applies them.

#include <QDialog>
#include <string>
#include <vector>

#include "data/TRestartFile.h"
#include "data/TResumeChoice.h"

class QCheckBox;
class QFrame;
class QLineEdit;
class QPushButton;

/// What the dialog is prepared from: the options kept by the restart file
/// and the serial ports found at start-up.
struct TResumeValues {
  std::string radioComPort;   // RADIO_COM_PORT
  std::string radioBaud;      // RADIO_BAUD
  std::string sioLogComPort;  // SIOLOG_COM_PORT
  bool wantMessageButtons = false;
  bool wantKeyboard = false;
  bool wantAutoCq = false;
  bool wantLogGrid = false;
  bool wantTitleBars = false;
  int autoCqDelay = 0;        // seconds
  std::string localLogFile;   // USER_DEFINED_LOGFILE
  bool localLogAdif = false;  // USER_DEFINED_LOGTYPE is ADIF
  bool sioLogAdif = false;    // WANTS_SIOLOG_ADIF
  std::vector<std::string> serialPorts;
};

/// The values of the restart options and the port list of start-up.
TResumeValues ResumeValuesFrom(const TRestartSettings& options,
                               const std::vector<std::string>& serialPorts);

class TfmResume : public QDialog {
  Q_OBJECT
 public:
  /// Builds the rows and prepares them from values: captions, check states,
  /// which rows show, and the dialog's height. Main thread.
  explicit TfmResume(const TResumeValues& values, QWidget* parent = nullptr);

  /// Puts the dialog's top edge level with the main window's top edge,
  /// centred horizontally on it (both outer frames, in screen coordinates).
  void PlaceOver(const QRect& mainFrame);

  /// True when the dialog was last closed with "Resume"; cleared each time it shows.
  bool ResumePressed() const { return m_resumePressed; }
  /// The state of the eight check boxes now.
  TResumeChoice Choices() const;

  /// Whether the trimmed port name is one of the ports (any case).
  static bool IsPortFound(const std::string& port, const std::vector<std::string>& ports);

  static constexpr int kDialogWidth = 440;
  static constexpr int kRowHeight = 39;
  static constexpr int kUserLogRowHeight = 69;
  static constexpr int kButtonRowHeight = 41;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QFrame* AddRow(const char* panelName, int height);
  QCheckBox* AddCheckRow(const char* panelName, const char* boxName, const QString& caption);
  void Prepare(const TResumeValues& values);
  void FitToVisibleRows();

  std::vector<QFrame*> m_rows;  // top to bottom
  QCheckBox* m_radioPort = nullptr;
  QCheckBox* m_msgButtons = nullptr;
  QCheckBox* m_keyboard = nullptr;
  QCheckBox* m_autoCq = nullptr;
  QCheckBox* m_logGrid = nullptr;
  QCheckBox* m_titleBars = nullptr;
  QCheckBox* m_userLog = nullptr;
  QCheckBox* m_sioLog = nullptr;
  QLineEdit* m_localFile = nullptr;
  QPushButton* m_resume = nullptr;
  QPushButton* m_cancel = nullptr;
  bool m_resumePressed = false;
};
