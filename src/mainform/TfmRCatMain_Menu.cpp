// The main window's menu bar and the commands that act at once.

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QTimer>
#include <QMenuBar>
#include <QTableWidget>

#include "data/FixedText.h"
#include "data/TfmRadioParms.h"
#include "platform/QtText.h"
#include "app/TWindowApp.h"
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
  // The shortcut is shown in the item's row but belongs to another item.
  bool shortcutShownOnly = false;
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
    // Both rows name Ctrl+B: "Change VFO-B Frequency" takes the key, here it
    // is only shown.
    {"Messaging", "Show Message Buttons", &M::showMessageButtons, "Ctrl+B", true, true, true},
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
    {"Logging", "Network Logging...", &M::networkLogging},
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
    const QKeySequence shortcut(QString::fromLatin1(row.shortcut));
    if (row.shortcutShownOnly) {
      // A menu draws the text after a tab in its shortcut column.
      action->setText(caption + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText));
    } else if (!shortcut.isEmpty()) {
      action->setShortcut(shortcut);
      m_menuShortcuts.push_back(shortcut);
    }
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
  auto radio = [this](TRadioCommand command) { return [this, command] { m_session->Command(command); }; };
  auto option = [this](TDisplayOption which) { return [this, which](bool on) { m_app.SetDisplayOption(which, on); }; };
  on(m_menu.updateNames, [this] { UpdateNamesCommand(); });
  on(m_menu.exit, [this] { ExitCommand(); });
  on(m_menu.centerForms, option(TDisplayOption::kCenteredForms));
  on(m_menu.disableScreenSaver, [this](bool c) {
    m_app.SetDisplayOption(TDisplayOption::kDisableScreenSaver, c);
    m_screenSaver.Inhibit(c);
  });
  on(m_menu.disableAltF4, option(TDisplayOption::kDisableAltF4));
  on(m_menu.showTitleBars, [this] { ToggleShowTitleBars(); });
  on(m_menu.attachLogGrid, [this] { ToggleAttachLogGrid(); });
  on(m_menu.connectRadio, [this] { ConnectCommand(); });
  on(m_menu.setParameters, radio(TRadioCommand::kSetParameters));
  on(m_menu.manageMacros, radio(TRadioCommand::kManageMacros));
  on(m_menu.vfoA, radio(TRadioCommand::kVfoAKnob));
  on(m_menu.vfoB, radio(TRadioCommand::kVfoBKnob));
  on(m_menu.configurePigKnob, radio(TRadioCommand::kConfigureKnob));
  on(m_menu.showKeyboard, [this] { ToggleShowKeyboard(); });
  on(m_menu.showMessageButtons, [this] { ToggleShowMessageButtons(); });
  on(m_menu.enableAutoCq, [this] { ToggleEnableAutoCq(); });
  on(m_menu.stopMessage, [this] { StopMessage(); });
  on(m_menu.clearLogLine, [this] { ClearLogLine(); });
  on(m_menu.showFoc, [this] { ToggleShowMembers(); });
  on(m_menu.showCwops, [this] { ToggleShowMembers(); });
  on(m_menu.performSioLogging, [this] { PerformSerialIoLogging(); });
  on(m_menu.networkLogging, [this] { NetworkLoggingCommand(); });
  on(m_menu.setBandLimits, [this] { SetBandLimitsCommand(); });
  on(m_menu.turnOffRadio, [this] { TurnOffRadioCommand(); });
  on(m_menu.setupLocalLog, [this] { SetupLocalLogCommand(); });
  on(m_menu.about, [this] { AboutCommand(); });
  on(m_menu.editTemplate, [this] { EditTemplateCommand(); });
  on(m_menu.loadTemplate, [this] { LoadTemplateCommand(); });
  on(m_menu.setAutoCqDelay, [this] { SetAutoCqDelayCommand(); });
  auto open = [this](const PathText TFileSet::*target) {
    return [this, target] { OpenDocument((m_app.Files().*target).str()); };
  };
  on(m_menu.userNotes, open(&TFileSet::userHelpFile));
  on(m_menu.checkUpdates, open(&TFileSet::revisionsUrl));
  on(m_menu.varoManual, open(&TFileSet::radioManualFile));
  on(m_menu.ostrelSite, open(&TFileSet::makerUrl));
  on(m_menu.usAllocations, open(&TFileSet::freqAllocationFile));
}

QAction* TfmRCatMain::MenuItem(const QString& caption) const {
  for (QAction* action : menuBar()->findChildren<QAction*>())
    if (action->text().section(QLatin1Char('\t'), 0, 0) == caption && !action->menu()) return action;
  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    if (menu->title() == caption) return menu->menuAction();
  return nullptr;
}

bool TfmRCatMain::IsMenuShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QKeySequence& shortcut : m_menuShortcuts)
    if (shortcut == pressed) return true;
  return false;
}

void TfmRCatMain::RebuildRunMacros() {
  if (!m_session->IsConnected()) return;
  QMenu* macros = m_menu.runMacros;
  macros->clear();
  for (const std::string& name : m_session->MacroNames()) {
    // Shown exactly as set: an "&" is no shortcut mark.
    QAction* item = macros->addAction(platform::ToQString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
    connect(item, &QAction::triggered, this, [this, name] { m_session->RunMacro(name); });
  }
}

void TfmRCatMain::SetBandLimitsCommand() {
  TfmRadioParms dialog(this);
  const TFileSet& files = m_app.Files();
  dialog.SetLogMode(m_session->LogMode());
  dialog.SetAllocationFiles(files.freqAllocationFile.str(), files.allocationExtraFile.str(),
                            files.allocationAdvancedFile.str(), files.allocationGeneralFile.str());
  dialog.SetDocumentsDirectory(files.documentsDir.str());
  const QRect main = frameGeometry();
  dialog.SetMainPlacement(main.top(), main.left(), main.width());
  for (int row = 1; row < TfmRadioParms::kRows; ++row) {
    const auto limits = m_app.BandLimits(dialog.CellText(row, 0));
    if (!limits) continue;
    for (int i = 0; i < 8; ++i) dialog.SetCellText(row, i + 1, std::to_string((*limits)[static_cast<std::size_t>(i)]));
  }
  dialog.exec();
  if (!dialog.Applied()) return;
  std::vector<TBandLimitRow> rows;
  for (int row = 1; row < TfmRadioParms::kRows; ++row) {
    TBandLimitRow& limits = rows.emplace_back(TBandLimitRow{.name = dialog.CellText(row, 0), .limits = {}});
    for (int column = 1; column <= 8; ++column) limits.limits[column - 1] = dialog.CellText(row, column);
  }
  m_app.ApplyBandLimits(rows);
}

void TfmRCatMain::UpdateNamesCommand() {
  TfmUpdateNames dialog(this);
  dialog.SetNamesFile(m_app.Files().namesFile.str());
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
  dialog.SetFormat(m_app.Options().localLogAdif ? kLogTypeAdif : kLogTypeArrl);
  dialog.SetFileName(m_app.Options().localLogFile.str());
  dialog.SetInitialDirectory(m_app.Files().logsDir.str());
  dialog.exec();
  if (dialog.Applied()) m_app.ChangeLocalLog(dialog.FileName(), dialog.Format() == 1 ? kLogTypeAdif : kLogTypeArrl);
}

void TfmRCatMain::AboutCommand() {
  TfmAbout dialog(this);
  dialog.SetVersion(m_app.Files().version.str());
  // A library file that is not there has no date: 0 would read as 1899.
  const double built = FileDateTime(m_app.Files().devicesDir.str() + "SioOstrel.DLL");
  dialog.SetLibraryDate(built > 0 ? platform::FormatDateTime("dd-mmm-yyyy hh:nn", built) : "(not installed)");
  dialog.adjustSize();
  const QRect main = frameGeometry();
  dialog.move(main.left() + main.width() / 2 - dialog.frameGeometry().width() / 2, main.top());
  dialog.exec();
}

bool TfmRCatMain::RunTemplateEditor(const std::string& file) {
  TfmTalvexMsg dialog(this);
  dialog.SetTemplateFile(m_app.Files().messageTemplateFile.str());
  dialog.SetProgramDirectory(m_app.Files().programDir.str());
  dialog.OnTemplateUpdated([this] { m_app.TemplateUpdated(); });
  dialog.LoadFile(file);
  dialog.SelectAutoCqDelay(m_app.Options().autoCqDelay);
  dialog.exec();
  return dialog.Saved();
}

void TfmRCatMain::EditTemplateCommand() {
  if (RunTemplateEditor(m_app.Files().messageTemplateFile.str()) && m_session->IsConnected()) {
    PrepareMessages();
    RefreshKeyHints();
  }
}

void TfmRCatMain::SetAutoCqDelayCommand() { RunTemplateEditor(m_app.Files().messageTemplateFile.str()); }

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
  m_session->Show(TSessionItem::kTitleBars, m_menu.showTitleBars->isChecked());
}

void TfmRCatMain::ToggleShowMembers() {
  // The action has already inverted its check mark: both flags follow the items.
  m_session->ShowMembers(m_menu.showFoc->isChecked(), m_menu.showCwops->isChecked());
}

void TfmRCatMain::ToggleAttachLogGrid() {
  const bool attach = m_menu.attachLogGrid->isChecked();
  m_session->Show(TSessionItem::kLogGrid, attach);
  if (attach) {
    Panel1->hide();
    pnKeys->move(pnKeys->x(), Panel1->y());
    LayOutStrip(pnKeys->height());
  } else {
    Panel1->show();
    pnKeys->move(pnKeys->x(), Panel1->y() + Panel1->height());
    LayOutStrip(Panel1->height() + pnKeys->height());
  }
  if (imVaroPanel->isVisible()) imVaroPanel->move(imVaroPanel->x(), pnKeys->y() + pnKeys->height());
}
