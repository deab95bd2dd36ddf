#include "platform/QtText.h"
#include "mainform/TfmRCatMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>

#include "platform/AppTitle.h"
#include "app/TWindowApp.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"
#include "dialogs/TfmResume.h"
#include "mainform/KeyPreviewFilter.h"
#include "mainform/TListenerThreads.h"
#include "mainform/TfmOpenDialog.h"
#include "mainform/TfmPanel.h"
#include "mainform/VaroPanelPicture.h"
#include "platform/DateTime.h"
#include "platform/ProgramPath.h"
#include "serial/TSioLogController.h"
#include "serial/TfmRadioPort.h"
#include "serial/TfmSioLog.h"

namespace {

constexpr int kFormWidth = 918;
constexpr int kFormHeight = 408;
constexpr int kPanel1Height = 42;
constexpr int kKeysHeight = 25;
constexpr int kKeyWidth = 81;
constexpr int kKeyHeight = 19;
constexpr int kSendingWidth = 97;
constexpr int kRowHeight = 17;
/// How long typing must pause before "Radio not connected - connect now?".
constexpr int kConnectQuestionDelayMs = 600;

const char* const kKeyNames[7] = {"pnF1", "pnF2", "pnF3", "pnF4", "pnF5", "pnF6", "pnF7"};
const char* const kKeyCaptions[7] = {"F1 - CQ", "F2 - MSG1", "F3 - MSG2", "F4 - MSG3",
                                     "F5 - MSG4", "F6 - 73",  "F7 - LOG"};

QFont BaseFont() {
  QFont font(QStringLiteral("Sans Serif"));
  font.setPixelSize(11);
  return font;
}

TfmPanel* MakeKey(QWidget* parent, const char* name, const QString& caption, int x) {
  auto* key = new TfmPanel(caption, parent);
  key->setObjectName(QString::fromLatin1(name));
  key->setGeometry(x, 3, kKeyWidth, kKeyHeight);
  key->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  key->setLineWidth(1);
  key->setAlignment(Qt::AlignCenter);
  return key;
}

TfmPanel* MakeStatus(QWidget* parent, const char* name, int x, int width) {
  auto* status = new TfmPanel(parent);
  status->setObjectName(QString::fromLatin1(name));
  status->setGeometry(x, 3, width, kKeyHeight);
  status->setAlignment(Qt::AlignCenter);
  QPalette palette = status->palette();
  palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
  status->setPalette(palette);
  return status;
}

}  // namespace

TfmRCatMain::TfmRCatMain(TWindowApp& app, QWidget* parent)
    : QMainWindow(parent), m_app(app) {
  setObjectName(QStringLiteral("fmRCatMain"));
  setFont(BaseFont());
  BuildComponents();
  BuildMenu();
  InstallKeyPreview();
  InstallGridHandlers();
  FormCreate();
  // The resume dialog is prepared once, from the files read at start-up.
  m_resume = std::make_unique<TfmResume>(ResumeValuesFrom(m_app.Options(), m_app.SerialPorts()), this);
  const std::string portsFile = m_app.Files().PortsFile();
  m_radioPort = std::make_unique<TfmRadioPort>(portsFile, this);
  m_sioLogDialog = std::make_unique<TfmSioLog>(portsFile, this);
  m_sioLog = std::make_unique<TSioLogController>(*m_sioLogDialog, portsFile);
  m_sioLog->SetMenuCheckHandler(
      [this](bool checked) { m_menu.performSioLogging->setChecked(checked); });
  InstallDelivery();
  TSessionWindow& sessionWindow = *this;
  m_session = m_app.OpenSession(sessionWindow);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

TWindowBounds TfmRCatMain::MainWindowBounds() const {
  const QRect g = frameGeometry();
  return {g.left(), g.right(), g.top(), g.bottom()};
}

TfmRCatMain::~TfmRCatMain() {
  RemoveKeyPreview();
  // Listeners left running (the window closed by its owner without a close
  // event) end here, before the steps they would hand over are gone.
  for (auto& listener : m_listeners)
    if (listener) listener->Stop();
}

void TfmRCatMain::BuildComponents() {
  m_central = new QWidget(this);
  m_central->setObjectName(QStringLiteral("fmRCatMainClient"));
  setCentralWidget(m_central);

  Panel1 = new QFrame(m_central);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(0, 0, kFormWidth, kPanel1Height);

  sgLog = new QTableWidget(2, 12, Panel1);
  sgLog->setObjectName(QStringLiteral("sgLog"));
  sgLog->setGeometry(4, 1, 900, 40);
  QFont bold = BaseFont();
  bold.setBold(true);
  sgLog->setFont(bold);
  sgLog->horizontalHeader()->hide();
  sgLog->verticalHeader()->hide();
  sgLog->verticalHeader()->setMinimumSectionSize(kRowHeight);
  sgLog->verticalHeader()->setDefaultSectionSize(kRowHeight);
  sgLog->setRowHeight(0, kRowHeight);
  sgLog->setRowHeight(1, kRowHeight);
  sgLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sgLog->setTabKeyNavigation(true);
  sgLog->setSelectionMode(QAbstractItemView::SingleSelection);
  sgLog->setEditTriggers(QAbstractItemView::AllEditTriggers);
  for (int c = 0; c < 12; ++c) {
    sgLog->setItem(0, c, new QTableWidgetItem);
    sgLog->item(0, c)->setFlags(Qt::ItemIsEnabled);  // the fixed heading row
    sgLog->setItem(1, c, new QTableWidgetItem);
    sgLog->setColumnWidth(c, kDefaultColumnWidths[static_cast<std::size_t>(c)]);
  }

  pnKeys = new QFrame(m_central);
  pnKeys->setObjectName(QStringLiteral("pnKeys"));
  pnKeys->setGeometry(0, kPanel1Height, kFormWidth, kKeysHeight);
  pnKeys->setFont(bold);
  pnKeys->setEnabled(false);
  int x = 4;
  pnConnecting = MakeStatus(pnKeys, "pnConnecting", x, kKeyWidth);
  x += kKeyWidth + 8;
  pnEsc = MakeKey(pnKeys, "pnEsc", QStringLiteral("ESC - Stop"), x);
  x += kKeyWidth + 8;
  for (int i = 0; i < 7; ++i, x += kKeyWidth + 8)
    pnF[i] = MakeKey(pnKeys, kKeyNames[i], QString::fromLatin1(kKeyCaptions[i]), x);
  pnF[6]->setToolTip(QStringLiteral("Log the QSO"));
  pnSending = MakeStatus(pnKeys, "pnSending", x, kSendingWidth);

  imVaroPanel = new TfmPanel(m_central);
  imVaroPanel->setObjectName(QStringLiteral("imVaroPanel"));
  imVaroPanel->setGeometry(4, kPanel1Height + kKeysHeight, 910, 295);
  // Drawn when it is painted, not kept as an image: the window maps without
  // waiting for the drawing, and no copy of it stays in memory.
  imVaroPanel->SetPainter(PaintVaroPanelPicture);
  imVaroPanel->SetClickHandler([this] { ConnectCommand(); });

  pnActivateSoftPanel = new TfmPanel(QStringLiteral("Click to Activate Soft Panel"), m_central);
  pnActivateSoftPanel->setObjectName(QStringLiteral("pnActivateSoftPanel"));
  pnActivateSoftPanel->setGeometry((kFormWidth - 353) / 2, kPanel1Height + kKeysHeight + (295 - 89) / 2,
                                   353, 89);
  pnActivateSoftPanel->setAlignment(Qt::AlignCenter);
  pnActivateSoftPanel->setAutoFillBackground(true);
  QPalette blue = pnActivateSoftPanel->palette();
  blue.setColor(QPalette::Window, QColor(0x00, 0x00, 0xff));
  blue.setColor(QPalette::WindowText, Qt::white);
  pnActivateSoftPanel->setPalette(blue);
  QFont big = BaseFont();
  big.setPixelSize(16);
  big.setBold(true);
  pnActivateSoftPanel->setFont(big);
  pnActivateSoftPanel->hide();
  pnActivateSoftPanel->SetClickHandler([this] { pnActivateSoftPanelClick(); });

  OpenDialog1 = new TfmOpenDialog(this);

  m_connectQuestion = new QTimer(this);
  m_connectQuestion->setSingleShot(true);
  m_connectQuestion->setInterval(kConnectQuestionDelayMs);
  connect(m_connectQuestion, &QTimer::timeout, this, [this] { AskToConnect(); });

  tmHealthCheck = new QTimer(this);
  tmHealthCheck->setObjectName(QStringLiteral("tmHealthCheck"));
  tmHealthCheck->setInterval(10000);  // runs nothing: the connection is not checked

  m_central->setFixedSize(kFormWidth, kFormHeight - menuBar()->sizeHint().height());
  resize(kFormWidth, kFormHeight);
}

void TfmRCatMain::FormCreate() {
  const TRestartSettings& o = m_app.Options();
  m_menu.centerForms->setChecked(o.wantCenteredForms);
  m_menu.disableAltF4->setChecked(o.disableAltF4);
  m_menu.disableScreenSaver->setChecked(o.disableScreenSaver);
  m_menu.showFoc->setChecked(o.showFocMembers);
  m_menu.showCwops->setChecked(o.showCwopMembers);
  m_menu.showTitleBars->setChecked(o.wantTitleBars);
  m_screenSaver.Inhibit(o.disableScreenSaver);
  for (auto& listener : m_listeners) listener.reset();
  for (int c = 0; c < 12; ++c) sgLog->item(0, c)->setText(QString::fromLatin1(kLogHeadings[static_cast<std::size_t>(c)]));
  setWindowTitle(BuildCaption(platform::ProgramPath()));
}

QString TfmRCatMain::BuildCaption(const std::string& programPath) {
  const std::string built = platform::FormatDateTime("dd-mmm-yyyy hh:nn]", FileDateTime(programPath));
  return QString::fromLatin1(kAppTitle) + ": " + " [Built: " + platform::ToQString(built);
}

void TfmRCatMain::BringToFront() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  std::fprintf(stderr, "Talvex: main window raised for a second copy\n");
}

int TfmRCatMain::ClientHeight() const { return m_central->height(); }

void TfmRCatMain::SetClientHeight(int height) {
  m_central->setFixedHeight(height);
  layout()->activate();
  resize(width(), menuBar()->height() + height);
}

void TfmRCatMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // A minimise is taken back by the message filter (KeyPreviewFilter.h).
  // Activation work shows modal dialogs: run it after the event, not inside it.
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfmRCatMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Without a window manager the window may never be activated: its first
  // showing counts as the first activation.
  if (!m_shownOnce) {
    m_shownOnce = true;
    QTimer::singleShot(0, this, [this] { FormActivate(); });
  }
}

void TfmRCatMain::closeEvent(QCloseEvent* event) {
  // A contact no log has taken is never dropped without a word: the
  // operator is asked, or, when the system asked the program to end, the
  // contact is kept in a file of its own.
  if (!m_closed && !m_app.MayCloseWithContact(m_endRequested)) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

bool TfmRCatMain::RefusesAltF4Close() const {
  // A close asked for while Alt is held down is the window manager's Alt+F4
  // (the close button comes without Alt).
  return !m_closed && !m_endRequested && m_app.Options().disableAltF4 &&
         (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
}

void TfmRCatMain::CloseAtEndRequest() {
  m_endRequested = true;
  close();
}

platform::EventHandle TfmRCatMain::RadioChangeEvent() const {
  return m_listeners[kRadioChange] ? m_listeners[kRadioChange]->Event() : platform::kNoEvent;
}
platform::EventHandle TfmRCatMain::LogRequestEvent() const {
  return m_listeners[kLogRequest] ? m_listeners[kLogRequest]->Event() : platform::kNoEvent;
}
platform::EventHandle TfmRCatMain::MsgStartEvent() const {
  return m_listeners[kMsgStart] ? m_listeners[kMsgStart]->Event() : platform::kNoEvent;
}
platform::EventHandle TfmRCatMain::MsgOverEvent() const {
  return m_listeners[kMsgOver] ? m_listeners[kMsgOver]->Event() : platform::kNoEvent;
}
