// The main window's four listener threads and the steps they hand to the
// main thread; the radio refresh runs inside its step (platform/HandOver.h).

#include <QTableWidget>
#include <cstdio>
#include <utility>

#include "platform/QtText.h"
#include "app/TWindowApp.h"
#include "mainform/TListenerThreads.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"

namespace {

struct SendingRow {
  const char* caption;
  int key;  // index into pnF1 to pnF6
};
constexpr SendingRow kSending[6] = {{"Sending CQ", 0},   {"Sending MSG1", 1}, {"Sending MSG2", 2},
                                    {"Sending MSG3", 3}, {"Sending MSG4", 4}, {"Sending 73", 5}};

}  // namespace

void TfmRCatMain::StartListener(Listener which) {
  StopListener(which);
  // Each step counts as "in a step" while it runs, so that commands which
  // replace the radio wait until no step is on the stack.
  auto step = [this, which] {
    ++m_stepDepth;
    switch (which) {
      case kRadioChange: RadioChangeStep(); break;
      case kLogRequest: LogRequestStep(); break;
      case kMsgOver: MsgOverStep(); break;
      case kMsgStart: MsgStartStep(); break;
      case kListeners: break;
    }
    --m_stepDepth;
  };
  std::unique_ptr<TListenerThread> thread;
  switch (which) {
    case kRadioChange: thread = std::make_unique<TRadioListenerThread>(step); break;
    case kLogRequest: thread = std::make_unique<TLogRequestListenerThread>(step); break;
    case kMsgOver: thread = std::make_unique<TMsgOverListenerThread>(step); break;
    case kMsgStart: thread = std::make_unique<TMsgStartListenerThread>(step); break;
    case kListeners: return;
  }
  thread->Resume();
  m_listeners[which] = std::move(thread);
}

void TfmRCatMain::StopListener(Listener which) {
  if (!m_listeners[which]) return;
  m_listeners[which]->Stop();
  m_listeners[which].reset();
}

void TfmRCatMain::StartListeners() {
  m_radioGone = false;
  StartListener(kRadioChange);
  StartListener(kLogRequest);
  StartListener(kMsgOver);
  StartListener(kMsgStart);
}

void TfmRCatMain::StopListeners(TListenersToStop which) {
  // The radio was disconnected: a step still on its way finds nothing to do.
  m_radioGone = true;
  for (const Listener listener : {kRadioChange, kLogRequest, kMsgOver, kMsgStart})
    if (listener < static_cast<int>(which)) StopListener(listener);
}

TListenerEvents TfmRCatMain::ListenerEvents() const {
  return {.radioChange = RadioChangeEvent(), .logRequest = LogRequestEvent(), .msgStart = MsgStartEvent(),
          .msgOver = MsgOverEvent()};
}

void TfmRCatMain::RadioChangeStep() {
  if (m_radioGone) return;
  if (const std::optional<std::string> radioBaud = m_session->RadioChanged()) {
    const QString baud = platform::ToQString(*radioBaud);
    // While a notice shows, the caption it hides follows the radio instead.
    if (m_beforeNotice) {
      if (!m_beforeNotice->first.contains(QStringLiteral("Sending"))) m_beforeNotice->first = baud;
    } else if (!pnSending->text().contains(QStringLiteral("Sending"))) {
      pnSending->setText(baud);
    }
  }
  ShowLogLine();
}

void TfmRCatMain::LogRequestStep() {
  LogTheQso(m_session->TakeLogRequest());
}

void TfmRCatMain::MsgOverStep() {
  if (m_radioGone) return;
  m_beforeNotice.reset();
  pnSending->setText(QString());
  pnSending->setToolTip(QString());
  FitNotice();
  pnSending->repaint();
}

void TfmRCatMain::MsgStartStep() {
  if (m_radioGone) return;
  const int id = m_session->MessageId();
  if (id >= 0 && id < 6) {
    m_beforeNotice.reset();
    pnSending->setText(QString::fromLatin1(kSending[id].caption));
    pnSending->setToolTip(pnF[kSending[id].key]->toolTip());
    FitNotice();
    std::fprintf(stderr, "Talvex: %s\n", kSending[id].caption);
  }
  pnSending->repaint();
}
