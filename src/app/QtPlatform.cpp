#include "app/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/AppTitle.h"
#include "platform/MessageSink.h"
#include "platform/Synchronize.h"

namespace talvexqt {
namespace {

bool OnMainThread() { return QThread::currentThread() == qApp->thread(); }

// Runs fn on the main thread and waits for it.
void RunOnMainThread(const std::function<void()>& fn) {
  if (!qApp || OnMainThread()) {
    fn();
    return;
  }
  QMetaObject::invokeMethod(qApp, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
}

QMessageBox::Icon ToQt(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Information: return QMessageBox::Information;
    case platform::MessageIcon::Warning: return QMessageBox::Warning;
    case platform::MessageIcon::Error: return QMessageBox::Critical;
    case platform::MessageIcon::Question: return QMessageBox::Question;
    case platform::MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

class QtMessageSink : public platform::MessageSink {
 public:
  QtMessageSink() : m_logOnly(std::getenv("TALVEX_MESSAGE_LOG") != nullptr) {}

  void ShowMessage(const std::string& text) override {
    if (m_logOnly) {
      std::fprintf(stderr, "message: %s\n", text.c_str());
      std::fflush(stderr);
      return;
    }
    RunOnMainThread([&] {
      QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle),
                      QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
      box.exec();
    });
  }

  platform::MessageAnswer Ask(const std::string& caption, const std::string& text,
                              platform::MessageIcon icon,
                              platform::MessageButtons buttons) override {
    using platform::MessageAnswer;
    using platform::MessageButtons;
    if (m_logOnly) {
      std::fprintf(stderr, "question: %s: %s\n", caption.c_str(), text.c_str());
      std::fflush(stderr);
      return buttons == MessageButtons::Ok ? MessageAnswer::Ok
             : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                : MessageAnswer::Cancel;
    }
    MessageAnswer answer = MessageAnswer::Ok;
    RunOnMainThread([&] {
      QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
      if (buttons == MessageButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
      if (buttons == MessageButtons::YesNoCancel)
        qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      QMessageBox box(ToQt(icon), QString::fromLocal8Bit(caption.c_str()),
                      QString::fromLocal8Bit(text.c_str()), qtButtons);
      switch (box.exec()) {
        case QMessageBox::Yes: answer = MessageAnswer::Yes; break;
        case QMessageBox::No: answer = MessageAnswer::No; break;
        case QMessageBox::Cancel: answer = MessageAnswer::Cancel; break;
        default: answer = MessageAnswer::Ok; break;
      }
    });
    return answer;
  }

 private:
  bool m_logOnly;
};

QtMessageSink* g_sink = nullptr;

}  // namespace

void InstallQtPlatform() {
  if (!g_sink) g_sink = new QtMessageSink;
  platform::SetMessageSink(g_sink);
  platform::SetMainThreadRunner(RunOnMainThread);
}

void RemoveQtPlatform() {
  platform::SetMainThreadRunner(nullptr);
  platform::SetMessageSink(nullptr);
  delete g_sink;
  g_sink = nullptr;
}

}  // namespace talvexqt
