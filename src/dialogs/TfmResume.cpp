#include "platform/QtText.h"
#include "dialogs/TfmResume.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <system_error>

#include "data/TextUtils.h"

namespace {
constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

QString FromText(const std::string& text) { return platform::ToQString(text); }

// A value shown in a check box caption: an "&" in a port or file name is
// shown as it is, not taken for a shortcut mark.
QString Shown(const std::string& text) { return FromText(text).replace('&', "&&"); }

bool FileExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(name), error);
}
}  // namespace

TResumeValues ResumeValuesFrom(const TRestartSettings& options,
                               const std::vector<std::string>& serialPorts) {
  TResumeValues values;
  values.radioComPort = options.radioComPort.str();
  values.radioBaud = options.radioBaud.str();
  values.sioLogComPort = options.sioLogComPort.str();
  values.wantMessageButtons = options.wantMessageButtons;
  values.wantKeyboard = options.wantKeyboard;
  values.wantAutoCq = options.wantAutoCq;
  values.wantLogGrid = options.wantLogGrid;
  values.wantTitleBars = options.wantTitleBars;
  values.autoCqDelay = options.autoCqDelay;
  values.localLogFile = options.localLogFile.str();
  values.localLogAdif = options.localLogAdif;
  values.sioLogAdif = options.sioLogAdif;
  values.serialPorts = serialPorts;
  return values;
}

bool TfmResume::IsPortFound(const std::string& port, const std::vector<std::string>& ports) {
  const std::string wanted = Trim(port);
  for (const auto& found : ports)
    if (SameText(found, wanted)) return true;
  return false;
}

TfmResume::TfmResume(const TResumeValues& values, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("fmResume");
  setWindowTitle("Resuming selected items from previous session");
  setModal(true);

  m_radioPort = AddCheckRow("pnResumeRadioPort", "ckbResumeRadioPort", QString());
  m_msgButtons = AddCheckRow("pnResumeMsgButtons", "ckbShowMsgButtons",
                             "Resume showing message buttons on Varo panel");
  m_keyboard = AddCheckRow("pnResumeKeyboard", "ckbShowKeyboard",
                           "Resume showing message keyboard on Varo panel");
  m_autoCq = AddCheckRow("pnResumeAutoCQ", "ckbResumeAutoCQ", QString());
  m_logGrid = AddCheckRow("pnResumeLogGrid", "ckbShowLogGrid",
                          "Resume showing logging grid on Varo panel");
  m_titleBars = AddCheckRow("pnResumeTitleBars", "ckbShowTitleBars",
                            "Resume showing title bars on Varo panels");

  QFrame* userLogRow = AddRow("pnResumeUserLog", kUserLogRowHeight);
  m_userLog = new QCheckBox(userLogRow);
  m_userLog->setObjectName("ckbResumeUserLog");
  m_userLog->setGeometry(kMargin, 6, kDialogWidth - 2 * kMargin, 24);
  m_localFile = new QLineEdit(userLogRow);
  m_localFile->setObjectName("ebLocalFile");
  m_localFile->setReadOnly(true);
  m_localFile->setGeometry(kMargin + 18, 34, kDialogWidth - 2 * kMargin - 18, 24);

  m_sioLog = AddCheckRow("pnResumeSioLog", "ckbResumeSioLog", QString());

  QFrame* buttonRow = AddRow("pnButtons", kButtonRowHeight);
  m_resume = new QPushButton("Resume", buttonRow);
  m_resume->setObjectName("bnResume");
  m_resume->setToolTip("Resume the selected items");
  m_resume->setDefault(true);
  m_cancel = new QPushButton("Cancel", buttonRow);
  m_cancel->setObjectName("bnCancel");
  const int gap = 16;
  const int left = (kDialogWidth - 2 * kButtonWidth - gap) / 2;
  const int top = (kButtonRowHeight - kButtonHeight) / 2;
  m_resume->setGeometry(left, top, kButtonWidth, kButtonHeight);
  m_cancel->setGeometry(left + kButtonWidth + gap, top, kButtonWidth, kButtonHeight);
  connect(m_resume, &QPushButton::clicked, this, [this] {
    m_resumePressed = true;
    accept();
  });
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

  Prepare(values);
}

QFrame* TfmResume::AddRow(const char* panelName, int height) {
  auto* row = new QFrame(this);
  row->setObjectName(panelName);
  row->setFrameShape(QFrame::StyledPanel);
  row->setFrameShadow(QFrame::Raised);
  row->setFixedSize(kDialogWidth, height);
  m_rows.push_back(row);
  return row;
}

QCheckBox* TfmResume::AddCheckRow(const char* panelName, const char* boxName, const QString& caption) {
  QFrame* row = AddRow(panelName, kRowHeight);
  auto* box = new QCheckBox(caption, row);
  box->setObjectName(boxName);
  box->setGeometry(kMargin, (kRowHeight - 24) / 2, kDialogWidth - 2 * kMargin, 24);
  return box;
}

void TfmResume::Prepare(const TResumeValues& values) {
  const bool radioFound = IsPortFound(values.radioComPort, values.serialPorts);
  m_radioPort->setText("Interface to Varo CAT using " + Shown(values.radioComPort) + " at " +
                       Shown(values.radioBaud) + " Baud");
  m_radioPort->setChecked(radioFound);
  m_radioPort->setEnabled(radioFound);

  const bool sioFound = IsPortFound(values.sioLogComPort, values.serialPorts);
  m_sioLog->setText("Perform serial I/O logging using " + Shown(values.sioLogComPort) + " and " +
                    (values.sioLogAdif ? "ADIF" : "ARRL") + " format.");
  m_sioLog->setChecked(sioFound);
  m_sioLog->setEnabled(sioFound);

  m_msgButtons->setChecked(values.wantMessageButtons);
  m_keyboard->setChecked(values.wantKeyboard);
  m_logGrid->setChecked(values.wantLogGrid);
  m_titleBars->setChecked(values.wantTitleBars);
  m_autoCq->setChecked(values.wantAutoCq);

  const bool logFileFound = FileExists(values.localLogFile);
  m_userLog->setText(QString("User defined log in ") + (values.localLogAdif ? "ADIF" : "ARRL") +
                     " format in the following file");
  m_localFile->setText(logFileFound ? FromText(values.localLogFile) : QString());
  m_userLog->setChecked(logFileFound);
  m_userLog->setEnabled(logFileFound);

  m_autoCq->setText("Resume Auto CQ with Delay of " + QString::number(values.autoCqDelay) +
                    " seconds");

  // The radio row always shows, so that a missing radio port is seen; the
  // button row always shows; every other row only when its box can be used.
  for (QFrame* row : m_rows) {
    const auto* box = row->findChild<QCheckBox*>();
    row->setVisible(box == nullptr || box == m_radioPort || box->isEnabled());
  }
  FitToVisibleRows();
}

void TfmResume::FitToVisibleRows() {
  int top = 0;
  for (QFrame* row : m_rows) {
    if (row->isHidden()) continue;
    row->move(0, top);
    top += row->height();
  }
  setFixedSize(kDialogWidth, top);
}

void TfmResume::PlaceOver(const QRect& mainFrame) {
  const int ownWidth = frameGeometry().width();
  // Integer division rounds towards zero, also for a main window narrower than the dialog.
  move(mainFrame.left() + (mainFrame.width() - ownWidth) / 2, mainFrame.top());
}

TResumeChoice TfmResume::Choices() const {
  TResumeChoice choices;
  choices.radioPort = m_radioPort->isChecked();
  choices.messageButtons = m_msgButtons->isChecked();
  choices.keyboard = m_keyboard->isChecked();
  choices.autoCq = m_autoCq->isChecked();
  choices.logGrid = m_logGrid->isChecked();
  choices.titleBars = m_titleBars->isChecked();
  choices.userLog = m_userLog->isChecked();
  choices.sioLog = m_sioLog->isChecked();
  return choices;
}

void TfmResume::showEvent(QShowEvent* event) {
  m_resumePressed = false;
  QDialog::showEvent(event);
}
