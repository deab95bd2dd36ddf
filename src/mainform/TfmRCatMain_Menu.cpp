// The main window's menu bar and the commands that act at once.

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <algorithm>
#include <set>

#include "platform/QtText.h"
#include "app/TTalvexApp.h"
#include "data/TextUtils.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/Shell.h"
#include "serial/TSioLogController.h"

namespace {

struct MenuRow {
  const char* menu;
  const char* caption;  // nullptr: a separator
  const char* shortcut;
  bool checkable;
  bool disabled;
};

// The menu bar in display order.
constexpr MenuRow kMenu[] = {
    {"File", "Update Names Data", "", false, false},
    {"File", "Exit", "", false, false},
    {"Display", "Center Forms in Main", "", true, false},
    {"Display", "Disable Screen Saver", "", true, false},
    {"Display", "Disable Alt-F4", "", true, false},
    {"Display", "Show Title Bars On Varo Panels", "", true, false},
    {"Display", "Attach Logging Grid to Varo Panel", "", true, true},
    {"Connections", "Connect Radio", "", false, false},
    {"Radio", "Set Parameters", "", false, false},
    {"Radio", "Set Band Limits", "", false, false},
    {"Radio", nullptr, "", false, false},
    {"Radio", "Manage Macros", "", false, false},
    {"Radio", "Run Macros", "", false, false},
    {"Radio", nullptr, "", false, false},
    {"Radio", "Change VFO-A Frequency", "Ctrl+A", false, false},
    {"Radio", "Change VFO-B Frequency", "Ctrl+B", false, false},
    {"Radio", nullptr, "", false, false},
    {"Radio", "Check SWR", "", false, false},
    {"Radio", nullptr, "", false, false},
    {"Radio", "Configure Pig Knob", "", false, false},
    {"Radio", nullptr, "", false, false},
    {"Radio", "Turn OFF Radio", "", false, false},
    {"Messaging", "Edit Current Template", "", false, false},
    {"Messaging", "Load Template From File", "", false, false},
    {"Messaging", nullptr, "", false, false},
    {"Messaging", "Show Keyboard", "Ctrl+K", true, true},
    // Ctrl+B belongs to "Change VFO-B Frequency"; here it is only shown.
    {"Messaging", "Show Message Buttons", "", true, true},
    {"Messaging", nullptr, "", false, false},
    {"Messaging", "Set Auto CQ Delay", "", false, false},
    {"Messaging", "Enable Auto CQ", "", true, false},
    {"Messaging", nullptr, "", false, false},
    {"Messaging", "Stop Message", "Ctrl+S", false, true},
    {"Logging", "Clear Log Line", "Ctrl+W", false, false},
    {"Logging", "Show FOC Members", "", true, false},
    {"Logging", "Show CWOps Members", "", true, false},
    {"Logging", nullptr, "", false, false},
    {"Logging", "Setup Local Log File", "", false, false},
    {"Logging", nullptr, "", false, false},
    {"Logging", "Perform Serial I/O Logging", "", true, false},
    {"Help", "User Notes", "", false, false},
    {"Help", "Check Updates", "", false, false},
    {"Help", nullptr, "", false, false},
    {"Help", "Varo Manual", "", false, false},
    {"Help", "Ostrel Site", "", false, false},
    {"Help", nullptr, "", false, false},
    {"Help", "US Frequency Allocations", "", false, false},
    {"Help", nullptr, "", false, false},
    {"Help", "About", "", false, false},
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
      if (current == QLatin1String("Radio")) m_radioMenu = menu;
    }
    if (!row.caption) {
      menu->addSeparator();
      continue;
    }
    const QString caption = QString::fromLatin1(row.caption);
    if (caption == QLatin1String("Run Macros")) {
      QMenu* macros = menu->addMenu(caption);
      macros->setObjectName(QStringLiteral("mnRunMacros"));
      continue;
    }
    QAction* action = menu->addAction(caption);
    action->setCheckable(row.checkable);
    action->setEnabled(!row.disabled);
    if (*row.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
  }
  m_radioMenu->setEnabled(false);
  connect(m_radioMenu, &QMenu::aboutToShow, this, [this] { RebuildRunMacros(); });

  auto on = [this](const char* caption, auto handler) {
    connect(MenuItem(QString::fromLatin1(caption)), &QAction::triggered, this, handler);
  };
  auto whenConnected = [this](auto fn) {
    return [this, fn] {
      if (m_app.IsRadioConnected(1)) fn();
    };
  };
  on("Exit", [this] { ExitCommand(); });
  on("Center Forms in Main", [this](bool c) { m_app.options.wantCenteredForms = c; });
  on("Disable Screen Saver", [this](bool c) { m_app.options.disableScreenSaver = c; });
  on("Disable Alt-F4", [this](bool c) { m_app.options.disableAltF4 = c; });
  on("Show Title Bars On Varo Panels", [this] { ToggleShowTitleBars(); });
  on("Attach Logging Grid to Varo Panel", [this] { ToggleAttachLogGrid(); });
  on("Connect Radio", [this] { ConnectCommand(); });
  on("Set Parameters", whenConnected([this] { m_app.ShowConfig(1); }));
  on("Manage Macros", whenConnected([this] { m_app.AddMacros(1); }));
  on("Change VFO-A Frequency", [this] { m_app.FocusVfoKnob(1, 'A'); });
  on("Change VFO-B Frequency", [this] { m_app.FocusVfoKnob(1, 'B'); });
  on("Configure Pig Knob", whenConnected([this] { m_app.ShowPigKnobConfig(1); }));
  on("Show Keyboard", [this] { ToggleShowKeyboard(); });
  on("Show Message Buttons", [this] { ToggleShowMessageButtons(); });
  on("Enable Auto CQ", [this] { ToggleEnableAutoCq(); });
  on("Stop Message", [this] { StopMessage(); });
  on("Clear Log Line", [this] { ClearLogLine(); });
  on("Show FOC Members", [this] { ToggleShowMembers(true); });
  on("Show CWOps Members", [this] { ToggleShowMembers(false); });
  on("Perform Serial I/O Logging", [this] { PerformSerialIoLogging(); });
  on("User Notes", [this] { OpenDocument(m_app.GetUserHelpFile()); });
  on("Check Updates", [this] { OpenDocument(m_app.GetRevisionsUrl()); });
  on("Varo Manual", [this] { OpenDocument(m_app.GetRadioManualFile()); });
  on("Ostrel Site", [this] { OpenDocument(m_app.GetMakerUrl()); });
  on("US Frequency Allocations", [this] { OpenDocument(m_app.GetFreqAllocationFile()); });
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
  const std::set<std::string> sorted(names.begin(), names.end());
  QMenu* macros = menuBar()->findChild<QMenu*>(QStringLiteral("mnRunMacros"));
  macros->clear();
  for (const std::string& name : sorted) {
    QAction* item = macros->addAction(platform::ToQString(Trim(name)));
    connect(item, &QAction::triggered, this, [this, item] {
      if (m_app.IsRadioConnected(1)) m_app.RunMacro(Trim(platform::FromQString(item->text())).substr(0, 30));
    });
  }
}

void TfmRCatMain::ExitCommand() {
  m_app.WriteRestartFile();
  close();
}

void TfmRCatMain::OpenDocument(const std::string& target) { platform::ShellOpen(target); }

void TfmRCatMain::ToggleShowTitleBars() {
  // The action has already inverted its check mark.
  if (MenuItem(QStringLiteral("Show Title Bars On Varo Panels"))->isChecked())
    m_app.ShowTitleBars(1);
  else
    m_app.HideTitleBars(1);
}

void TfmRCatMain::ToggleShowMembers(bool foc) {
  if (foc)
    m_app.options.showFocMembers = MenuItem(QStringLiteral("Show FOC Members"))->isChecked();
  else
    m_app.options.showCwopMembers = MenuItem(QStringLiteral("Show CWOps Members"))->isChecked();
  m_app.SetShowMembers(1, m_app.options.showFocMembers, m_app.options.showCwopMembers);
}

void TfmRCatMain::ToggleAttachLogGrid() {
  const bool attach = MenuItem(QStringLiteral("Attach Logging Grid to Varo Panel"))->isChecked();
  if (attach) {
    m_app.ShowLogGrid(1);
    Panel1->hide();
    pnKeys->move(pnKeys->x(), Panel1->y());
    SetClientHeight(pnKeys->height());
  } else {
    m_app.HideLogGrid(1);
    Panel1->show();
    pnKeys->move(pnKeys->x(), Panel1->y() + Panel1->height());
    SetClientHeight(Panel1->height() + pnKeys->height());
  }
  if (imVaroPanel->isVisible()) imVaroPanel->move(imVaroPanel->x(), pnKeys->y() + pnKeys->height());
}
