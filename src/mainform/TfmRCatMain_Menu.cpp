// The main window's menu bar and the commands that act at once.

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QTimer>
#include <QMenuBar>
#include <QTableWidget>
#include <algorithm>
#include <set>

#include "data/FixedText.h"
#include "data/TfmRadioParms.h"
#include "platform/QtText.h"
#include "app/TTalvexApp.h"
#include "data/TextUtils.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/DateTime.h"
#include "platform/Shell.h"
#include "dialogs/TfmAbout.h"
#include "dialogs/TfmPowerOff.h"
#include "dialogs/TfmSetupLogFile.h"
#include "data/TfmUpdateNames.h"
#include "dialogs/TfmTalvexMsg.h"
#include "mainform/TfmOpenDialog.h"
#include "serial/TSioLogController.h"

namespace {

struct MenuRow {
  const char* menu;
  const char* caption;  // nullptr: a separator
  QAction* TMainMenu::*item;
  const char* shortcut = "";
  bool checkable = false;
  bool disabled = false;
};

using M = TMainMenu;

// The menu bar in display order. "Run Macros" is a submenu, built when the
// Radio menu opens.
const MenuRow kMenu[] = {
    {"File", "Update Names Data", &M::updateNames},
    {"File", "Exit", &M::exit},
    {"Display", "Center Forms in Main", &M::centerForms, "", true},
    {"Display", "Disable Screen Saver", &M::disableScreenSaver, "", true},
    {"Display", "Disable Alt-F4", &M::disableAltF4, "", true},
    {"Display", "Show Title Bars On Varo Panels", &M::showTitleBars, "", true},
    {"Display", "Attach Logging Grid to Varo Panel", &M::attachLogGrid, "", true, true},
    {"Connections", "Connect Radio", &M::connectRadio},
    {"Radio", "Set Parameters", &M::setParameters},
    {"Radio", "Set Band Limits", &M::setBandLimits},
    {"Radio", nullptr, nullptr},
    {"Radio", "Manage Macros", &M::manageMacros},
    {"Radio", "Run Macros", nullptr},
    {"Radio", nullptr, nullptr},
    {"Radio", "Change VFO-A Frequency", &M::vfoA, "Ctrl+A"},
    {"Radio", "Change VFO-B Frequency", &M::vfoB, "Ctrl+B"},
    {"Radio", nullptr, nullptr},
    {"Radio", "Check SWR", &M::checkSwr},
    {"Radio", nullptr, nullptr},
    {"Radio", "Configure Pig Knob", &M::configurePigKnob},
    {"Radio", nullptr, nullptr},
    {"Radio", "Turn OFF Radio", &M::turnOffRadio},
    {"Messaging", "Edit Current Template", &M::editTemplate},
    {"Messaging", "Load Template From File", &M::loadTemplate},
    {"Messaging", nullptr, nullptr},
    {"Messaging", "Show Keyboard", &M::showKeyboard, "Ctrl+K", true, true},
    // Ctrl+B belongs to "Change VFO-B Frequency"; here it is only shown.
    {"Messaging", "Show Message Buttons", &M::showMessageButtons, "", true, true},
    {"Messaging", nullptr, nullptr},
    {"Messaging", "Set Auto CQ Delay", &M::setAutoCqDelay},
    {"Messaging", "Enable Auto CQ", &M::enableAutoCq, "", true},
    {"Messaging", nullptr, nullptr},
    {"Messaging", "Stop Message", &M::stopMessage, "Ctrl+S", false, true},
    {"Logging", "Clear Log Line", &M::clearLogLine, "Ctrl+W"},
    {"Logging", "Show FOC Members", &M::showFoc, "", true},
    {"Logging", "Show CWOps Members", &M::showCwops, "", true},
    {"Logging", nullptr, nullptr},
    {"Logging", "Setup Local Log File", &M::setupLocalLog},
    {"Logging", nullptr, nullptr},
    {"Logging", "Perform Serial I/O Logging", &M::performSioLogging, "", true},
    {"Help", "User Notes", &M::userNotes},
    {"Help", "Check Updates", &M::checkUpdates},
    {"Help", nullptr, nullptr},
    {"Help", "Varo Manual", &M::varoManual},
    {"Help", "Ostrel Site", &M::ostrelSite},
    {"Help", nullptr, nullptr},
    {"Help", "US Frequency Allocations", &M::usAllocations},
    {"Help", nullptr, nullptr},
    {"Help", "About", &M::about},
};

}  // namespace

void TfmRCatMain::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* menu = nullptr;
  QString current;
  for (const MenuRow& row : kMenu) {
    if (current != QLatin1String(row.menu)) {
      current = QString::fromLatin1(row.menu);
      menu = bar->addMenu(current);
      menu->setObjectName(QStringLiteral("mn") + current);
      if (current == QLatin1String("Radio")) m_menu.radio = menu;
    }
    if (!row.caption) {
      menu->addSeparator();
      continue;
    }
    const QString caption = QString::fromLatin1(row.caption);
    if (!row.item) {
      m_menu.runMacros = menu->addMenu(caption);
      m_menu.runMacros->setObjectName(QStringLiteral("mnRunMacros"));
      continue;
    }
    QAction* action = menu->addAction(caption);
    action->setCheckable(row.checkable);
    action->setEnabled(!row.disabled);
    if (*row.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
    m_menu.*row.item = action;
  }
  m_menu.radio->setEnabled(false);
  connect(m_menu.radio, &QMenu::aboutToShow, this, [this] { RebuildRunMacros(); });

  // After a command (and any dialog it opened) the keys go back to the log
  // line, unless the command handed them to another window (the knob).
  auto on = [this](QAction* item, auto handler) {
    connect(item, &QAction::triggered, this, handler);
    connect(item, &QAction::triggered, this, [this] {
      QTimer::singleShot(0, this, [this] {
        if (isActiveWindow()) FocusLogLine();
      });
    });
  };
  auto whenConnected = [this](auto fn) {
    return [this, fn] {
      if (m_app.IsRadioConnected(1)) fn();
    };
  };
  on(m_menu.updateNames, [this] { UpdateNamesCommand(); });
  on(m_menu.exit, [this] { ExitCommand(); });
  on(m_menu.centerForms, [this](bool c) { m_app.SetCenteredForms(c); });
  on(m_menu.disableScreenSaver, [this](bool c) {
    m_app.SetDisableScreenSaver(c);
    m_screenSaver.Inhibit(c);
  });
  on(m_menu.disableAltF4, [this](bool c) { m_app.SetDisableAltF4(c); });
  on(m_menu.showTitleBars, [this] { ToggleShowTitleBars(); });
  on(m_menu.attachLogGrid, [this] { ToggleAttachLogGrid(); });
  on(m_menu.connectRadio, [this] { ConnectCommand(); });
  on(m_menu.setParameters, whenConnected([this] { m_app.ShowConfig(1); }));
  on(m_menu.manageMacros, whenConnected([this] { m_app.AddMacros(1); }));
  on(m_menu.vfoA, [this] { m_app.FocusVfoKnob(1, 'A'); });
  on(m_menu.vfoB, [this] { m_app.FocusVfoKnob(1, 'B'); });
  on(m_menu.configurePigKnob, whenConnected([this] { m_app.ShowPigKnobConfig(1); }));
  on(m_menu.showKeyboard, [this] { ToggleShowKeyboard(); });
  on(m_menu.showMessageButtons, [this] { ToggleShowMessageButtons(); });
  on(m_menu.enableAutoCq, [this] { ToggleEnableAutoCq(); });
  on(m_menu.stopMessage, [this] { StopMessage(); });
  on(m_menu.clearLogLine, [this] { ClearLogLine(); });
  on(m_menu.showFoc, [this] { ToggleShowMembers(); });
  on(m_menu.showCwops, [this] { ToggleShowMembers(); });
  on(m_menu.performSioLogging, [this] { PerformSerialIoLogging(); });
  on(m_menu.setBandLimits, [this] { SetBandLimitsCommand(); });
  on(m_menu.turnOffRadio, [this] { TurnOffRadioCommand(); });
  on(m_menu.setupLocalLog, [this] { SetupLocalLogCommand(); });
  on(m_menu.about, [this] { AboutCommand(); });
  on(m_menu.editTemplate, [this] { EditTemplateCommand(); });
  on(m_menu.loadTemplate, [this] { LoadTemplateCommand(); });
  on(m_menu.setAutoCqDelay, [this] { SetAutoCqDelayCommand(); });
  on(m_menu.userNotes, [this] { OpenDocument(m_app.GetUserHelpFile()); });
  on(m_menu.checkUpdates, [this] { OpenDocument(m_app.GetRevisionsUrl()); });
  on(m_menu.varoManual, [this] { OpenDocument(m_app.GetRadioManualFile()); });
  on(m_menu.ostrelSite, [this] { OpenDocument(m_app.GetMakerUrl()); });
  on(m_menu.usAllocations, [this] { OpenDocument(m_app.GetFreqAllocationFile()); });
}

QAction* TfmRCatMain::MenuItem(const QString& caption) const {
  for (QAction* action : menuBar()->findChildren<QAction*>())
    if (action->text() == caption && !action->menu()) return action;
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    if (menu->title() == caption) return menu->menuAction();
  return nullptr;
}

void TfmRCatMain::RebuildRunMacros() {
  if (!m_app.IsRadioConnected(1)) return;
  std::vector<std::string> names;
  m_app.GetMacroNames(1, names);
  // Sorted, once each: names that differ only by blanks around them are one macro.
  std::set<std::string> sorted;
  for (const std::string& name : names) sorted.insert(Trim(name));
  QMenu* macros = m_menu.runMacros;
  macros->clear();
  for (const std::string& name : sorted) {
    // Shown exactly as set: an "&" is no shortcut mark.
    QAction* item = macros->addAction(platform::ToQString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(item, &QAction::triggered, this, [this, name] {
      if (m_app.IsRadioConnected(1)) m_app.RunMacro(CutText(name, 30));
    });
  }
}

void TfmRCatMain::SetBandLimitsCommand() {
  TfmRadioParms dialog(this);
  dialog.SetLogMode(m_app.GetModeText(1, 4));
  dialog.SetAllocationFiles(m_app.GetFreqAllocationFile(), m_app.GetAllocationExtraFile(),
                            m_app.GetAllocationAdvancedFile(), m_app.GetAllocationGeneralFile());
  dialog.SetDocumentsDirectory(m_app.GetDocumentsDirectory());
  const QRect main = frameGeometry();
  dialog.SetMainPlacement(main.top(), main.left(), main.width());
  for (int row = 1; row < TfmRadioParms::kRows; ++row) {
    std::string limits;
    if (!m_app.GetBandLimitText(dialog.CellText(row, 0), 99, limits)) continue;
    const std::vector<std::string> values = SplitFields(limits, ",");
    for (std::size_t i = 0; i < values.size() && i < 8; ++i)
      dialog.SetCellText(row, static_cast<int>(i) + 1, std::to_string(ReadInteger(values[i])));
  }
  dialog.exec();
  if (!dialog.Applied()) return;
  for (int row = 1; row < TfmRadioParms::kRows; ++row) {
    std::array<std::string, 8> limits;
    for (int column = 1; column <= 8; ++column) limits[column - 1] = dialog.CellText(row, column);
    m_app.SetBandLimits(dialog.CellText(row, 0), limits);
  }
  m_app.WriteRadioRestartFile();
}

void TfmRCatMain::UpdateNamesCommand() {
  TfmUpdateNames dialog(this);
  dialog.SetNamesFile(m_app.GetNamesFile());
  dialog.LoadKnownCalls();
  // Placed once the label holds the path, which sets the dialog's width.
  dialog.adjustSize();
  const QRect main = frameGeometry();
  dialog.move(main.left() + main.width() / 2 - dialog.frameGeometry().width() / 2, main.top());
  dialog.exec();
  // Lookups see the added names at once. The list is not emptied first:
  // reading the file again only repeats what each known line already did.
  if (dialog.Written()) m_app.LoadNamesFile();
}

void TfmRCatMain::TurnOffRadioCommand() {
  TfmPowerOff dialog(this);
  dialog.exec();
  if (dialog.Confirmed()) m_session->TurnOff();
}

void TfmRCatMain::SetupLocalLogCommand() {
  TfmSetupLogFile dialog(this);
  dialog.SetFormat(m_app.GetLocalLogType());
  dialog.SetFileName(m_app.GetLocalLogFile());
  dialog.SetInitialDirectory(m_app.GetLogsDirectory());
  dialog.exec();
  if (!dialog.Applied()) return;
  m_app.SetLocalLogFile(FixedText<260>(dialog.FileName()).str());
  m_app.SetLocalLogType(dialog.Format() == 1 ? kLogTypeAdif : kLogTypeArrl);
  m_app.SetLocalLogging(true);
  m_app.SetLogFile(1, m_app.GetLocalLogFile(), m_app.GetLocalLogType());
}

void TfmRCatMain::AboutCommand() {
  TfmAbout dialog(this);
  dialog.SetVersion(m_app.GetVersion());
  const double built = FileDateTime(m_app.GetDevicesDirectory() + "SioOstrel.DLL");
  dialog.SetLibraryDate(platform::FormatDateTime("dd-mmm-yyyy hh:nn", built));
  dialog.adjustSize();
  const QRect main = frameGeometry();
  dialog.move(main.left() + main.width() / 2 - dialog.frameGeometry().width() / 2, main.top());
  dialog.exec();
}

bool TfmRCatMain::RunTemplateEditor(const std::string& file) {
  TfmTalvexMsg dialog(this);
  dialog.SetTemplateFile(m_app.GetMessageTemplateFile());
  dialog.SetProgramDirectory(m_app.GetProgramDirectory());
  dialog.OnTemplateUpdated([this] {
    m_app.LoadMessageTemplates();
    m_app.SendAutoCqDelay();
  });
  dialog.LoadFile(file);
  dialog.SelectAutoCqDelay(m_app.Options().autoCqDelay);
  dialog.exec();
  return dialog.Saved();
}

void TfmRCatMain::EditTemplateCommand() {
  if (RunTemplateEditor(m_app.GetMessageTemplateFile()) && m_app.IsRadioConnected(1)) {
    PrepareMessages();
    RefreshKeyHints();
  }
}

void TfmRCatMain::SetAutoCqDelayCommand() { RunTemplateEditor(m_app.GetMessageTemplateFile()); }

void TfmRCatMain::LoadTemplateCommand() {
  // Qt's form of the filter "All files (*.*)|*.*|Msg files (*.msg)|*.dat|Text
  // files (*.txt)|*.TXT": the last parentheses hold the mask, so the Msg
  // entry keeps its caption and its *.dat mask. File names are matched with
  // regard to case here, so "*" stands for every file and the text mask
  // takes both cases.
  const QString chosen = OpenDialog1->Execute(
      QStringLiteral("Loading Message Template from File"),
      QStringLiteral("All files (*);;Msg files (*.msg) (*.dat);;Text files (*.txt *.TXT)"),
      QStringLiteral("txt"), QStringLiteral("*.txt"));
  if (!chosen.isEmpty()) RunTemplateEditor(platform::FromQString(chosen));
}

void TfmRCatMain::ExitCommand() {
  m_app.WriteRestartFile();
  close();
}

void TfmRCatMain::OpenDocument(const std::string& target) { platform::ShellOpen(target); }

void TfmRCatMain::ToggleShowTitleBars() {
  // The action has already inverted its check mark.
  if (m_menu.showTitleBars->isChecked())
    m_app.ShowTitleBars(1);
  else
    m_app.HideTitleBars(1);
}

void TfmRCatMain::ToggleShowMembers() {
  // The action has already inverted its check mark: both flags follow the items.
  m_app.SetMemberDisplay(m_menu.showFoc->isChecked(), m_menu.showCwops->isChecked());
  m_app.SetShowMembers(1, m_app.Options().showFocMembers, m_app.Options().showCwopMembers);
}

void TfmRCatMain::ToggleAttachLogGrid() {
  const bool attach = m_menu.attachLogGrid->isChecked();
  if (attach) {
    m_app.ShowLogGrid(1);
    Panel1->hide();
    pnKeys->move(pnKeys->x(), Panel1->y());
    LayOutStrip(pnKeys->height());
  } else {
    m_app.HideLogGrid(1);
    Panel1->show();
    pnKeys->move(pnKeys->x(), Panel1->y() + Panel1->height());
    LayOutStrip(Panel1->height() + pnKeys->height());
  }
  if (imVaroPanel->isVisible()) imVaroPanel->move(imVaroPanel->x(), pnKeys->y() + pnKeys->height());
}
