// The main window's activation, the connect command, the soft panel's
// activation and closing, and what the connection sequences (TRadioSession)
// ask of the window.

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>

#include "app/TWindowApp.h"
#include "dialogs/TfmResume.h"
#include "mainform/TListenerThreads.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/QtText.h"
#include "serial/TSioLogController.h"
#include "serial/TfmRadioPort.h"

void TfmRCatMain::FormActivate() {
  if (m_closed) return;
  const auto& widths = m_app.Options().columnWidths;
  for (int c = 0; c < 12; ++c) sgLog->setColumnWidth(c, widths[c]);

  // The first activation offers to resume the previous run; without a
  // restart file, or without "Resume", the rest of this activation is skipped.
  if (m_app.TakeFirstActivation()) {
    if (!m_app.RestartFileRead()) return;
    m_resume->PlaceOver(frameGeometry());
    m_resume->exec();
    if (!m_resume->ResumePressed()) return;
    m_session->Resume(m_resume->Choices());
    if (m_session->IsConnected()) ReportConnected();
  }

  // Every activation: the panels remembered for the next start follow the
  // resume dialog's check boxes.
  m_app.RememberPanels(m_resume->Choices());

  if (m_session->IsConnected()) EnableConnectedMenus();
}

void TfmRCatMain::ReportConnected() {
  EnableConnectedMenus();
  // The keyboard comes back from the dialog to STN.WRKD: without a window
  // manager nothing else gives it back.
  activateWindow();
  std::fprintf(stderr, "Talvex: radio connected on %s at %s baud\n", m_app.Options().radioComPort.c_str(),
               m_app.Options().radioBaud.c_str());
}

void TfmRCatMain::EnableConnectedMenus() {
  for (QAction* item : {m_menu.attachLogGrid, m_menu.setParameters, m_menu.showKeyboard,
                        m_menu.showMessageButtons, m_menu.stopMessage})
    item->setEnabled(true);
  m_menu.radio->setEnabled(true);
  pnKeys->setEnabled(true);
  tmHealthCheck->start();
}

bool TfmRCatMain::DeferWhileInStep(void (TfmRCatMain::*fn)()) {
  if (m_stepDepth == 0) return false;
  QTimer::singleShot(50, this, [this, fn] { (this->*fn)(); });
  return true;
}

void TfmRCatMain::ConnectCommand() {
  if (m_closed || DeferWhileInStep(&TfmRCatMain::ConnectCommand)) return;
  TfmRadioPort& dialog = *m_radioPort;
  dialog.SetPortText(m_app.Options().radioComPort.str());
  dialog.SetBaudText(m_app.Options().radioBaud.str());
  dialog.PlaceOnMainWindow(*this);
  dialog.exec();

  if (dialog.ConnectPressed()) {
    if (m_session->Connect(dialog.PortText(), dialog.BaudText())) {
      // The keys work at once: closing the dialog need not activate this
      // window again (without a window manager nothing does).
      ReportConnected();
    } else {
      QMessageBox box(QMessageBox::Information, QStringLiteral("Connect Failed"),
                      QStringLiteral("Try disconnect button and then retry connect"), QMessageBox::Ok,
                      this);
      box.setObjectName(QStringLiteral("ConnectFailedBox"));
      box.exec();
    }
  } else if (dialog.DisconnectPressed()) {
    m_session->Disconnect();
    m_menu.radio->setEnabled(true);
    m_menu.attachLogGrid->setEnabled(true);
  }
}

void TfmRCatMain::pnActivateSoftPanelClick() {
  if (!m_session->IsConnected()) return;
  imVaroPanel->hide();
  pnActivateSoftPanel->hide();
  LayOutStrip();
  m_session->Command(TRadioCommand::kSoftPanel);
}

void TfmRCatMain::LayOutStrip(int stripHeight) {
  if (stripHeight > 0) m_stripHeight = stripHeight;
  int height = m_stripHeight;
  // The switch to the library's soft panel sits centred below the key row
  // while it shows, and the strip grows to hold it.
  if (pnActivateSoftPanel->isVisibleTo(this)) {
    pnActivateSoftPanel->move((width() - pnActivateSoftPanel->width()) / 2, height + kSwitchMargin);
    pnActivateSoftPanel->raise();
    height += pnActivateSoftPanel->height() + 2 * kSwitchMargin;
  }
  SetClientHeight(height);
}

void TfmRCatMain::FormClose() {
  if (m_closed) return;
  m_closed = true;
  m_session->Close();
}

void TfmRCatMain::PerformSerialIoLogging() {
  TSioLogSettings settings = m_app.SioLogSettings();
  m_sioLog->PerformSerialIoLogging(settings, m_app.Options().wantCenteredForms);
  m_app.StoreSioLogSettings(settings);
  // The controller keeps the check mark, not the action's own toggle.
  m_menu.performSioLogging->setChecked(m_sioLog->MenuItemChecked());
}

// ---- what the connection sequences ask of the window ----

void TfmRCatMain::ShowConnecting(const std::string& text) {
  pnConnecting->setText(platform::ToQString(text));
  pnConnecting->repaint();
}

void TfmRCatMain::ShrinkToGridAndKeys() { LayOutStrip(sgLog->height() + pnKeys->height()); }

void TfmRCatMain::SetItemChecked(TSessionItem item, bool checked) {
  switch (item) {
    case TSessionItem::kKeyboard: m_menu.showKeyboard->setChecked(checked); break;
    case TSessionItem::kLogGrid: m_menu.attachLogGrid->setChecked(checked); break;
    case TSessionItem::kMessageButtons: m_menu.showMessageButtons->setChecked(checked); break;
    case TSessionItem::kTitleBars: m_menu.showTitleBars->setChecked(checked); break;
  }
}

void TfmRCatMain::EnableAutoCqItems(bool checked) {
  m_menu.setAutoCqDelay->setEnabled(true);
  m_menu.enableAutoCq->setEnabled(true);
  m_menu.enableAutoCq->setChecked(checked);
}

void TfmRCatMain::ShowSoftPanelSwitch() {
  pnActivateSoftPanel->show();
  LayOutStrip();
}

void TfmRCatMain::FocusLogLine() {
  // A cell editor with the focus: the operator is typing there.
  const QWidget* focus = QApplication::focusWidget();
  if (focus && focus != sgLog && sgLog->isAncestorOf(focus)) return;
  FocusStation();
}

void TfmRCatMain::ResumeSerialIoLogging(bool chosen) {
  TSioLogSettings settings = m_app.SioLogSettings();
  m_sioLog->ResumeSerialIoLogging(chosen, settings);
  m_app.StoreSioLogSettings(settings);
}

std::array<int, 12> TfmRCatMain::ColumnWidths() const {
  std::array<int, 12> widths{};
  for (int c = 0; c < 12; ++c) widths[c] = sgLog->columnWidth(c);
  return widths;
}
