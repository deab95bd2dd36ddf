// The message keys: F1 to F6 send, F7 logs, ESC stops, whatever control of
// the window has the focus; the key row's clicks; the key hints; Auto CQ.

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "platform/QtText.h"
#include "app/TWindowApp.h"
#include "mainform/KeyPreviewFilter.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/Event.h"

void TfmRCatMain::InstallKeyPreview() {
  m_keyPreview = std::make_unique<KeyPreviewFilter>(*this);
  qApp->installEventFilter(m_keyPreview.get());

  pnEsc->SetClickHandler([this] { StopMessage(); });
  for (int i = 0; i < 6; ++i) pnF[i]->SetClickHandler([this, i] { SendMessage(i); });
  pnF[6]->SetClickHandler([this] { RequestLog(); });
}

void TfmRCatMain::RemoveKeyPreview() {
  if (m_keyPreview && qApp) qApp->removeEventFilter(m_keyPreview.get());
  m_keyPreview.reset();
}

bool TfmRCatMain::IsMessageKey(int key) {
  return key == Qt::Key_Escape || (key >= Qt::Key_F1 && key <= Qt::Key_F7);
}

bool TfmRCatMain::HandleKeyRelease(int key) {
  if (key == Qt::Key_Escape) {
    StopMessage();
  } else if (key >= Qt::Key_F1 && key <= Qt::Key_F6) {
    SendMessage(key - Qt::Key_F1);
  } else if (key == Qt::Key_F7) {
    RequestLog();
  } else {
    return false;
  }
  return true;
}

void TfmRCatMain::SendMessage(int index) {
  m_session->SendMessage(index);
}

void TfmRCatMain::StopMessage() {
  m_session->StopMessage();
}

void TfmRCatMain::RequestLog() {
  // Without a running log request listener there is no event: nothing happens.
  platform::SetEvent(LogRequestEvent());
}

void TfmRCatMain::PrepareMessages() {
  const bool loaded = m_session->LoadMessages();
  RefreshKeyHints();
  // Without a radio the operator is asked to connect: once the typing has
  // paused, never from inside the cell editor's keystroke (a modal box there
  // would free the editor under its own signal), and once per burst.
  if (!loaded) m_connectQuestion->start();
}

void TfmRCatMain::AskToConnect() {
  if (!m_closed && m_session->AskToConnect()) ConnectCommand();
}

void TfmRCatMain::RefreshKeyHints() {
  for (int i = 0; i < 6; ++i)
    pnF[i]->setToolTip(platform::ToQString(m_app.Messages()[i].expanded.str()));
}

void TfmRCatMain::ToggleEnableAutoCq() {
  // The action has already inverted its check mark.
  m_session->SetAutoCq(m_menu.enableAutoCq->isChecked());
}

void TfmRCatMain::ToggleShowMessageButtons() {
  // The action has already inverted its check mark.
  m_session->Show(TSessionItem::kMessageButtons, m_menu.showMessageButtons->isChecked());
}

void TfmRCatMain::ToggleShowKeyboard() {
  m_session->Show(TSessionItem::kKeyboard, m_menu.showKeyboard->isChecked());
}
