#include "app/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/AppTitle.h"
#include "platform/HandOver.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/ThreadChecks.h"

namespace talvexqt {
namespace {

// The main thread's queue of posted functions. The functions wait here,
// under a standard mutex, and a queued call by name only wakes the main
// thread to run them: so the hand-over from one thread to the other is one
// that thread checkers see, not only Qt's own locking.
class MainThreadQueue : public QObject {
  Q_OBJECT
 public:
  void Post(std::function<void()> fn) {
    {
      std::lock_guard lock(m_mutex);
      m_queue.push_back(std::move(fn));
    }
    QMetaObject::invokeMethod(this, "Drain", Qt::QueuedConnection);
  }

  /// Runs what was posted, one function at a time (a function may open a
  /// nested event loop, which drains the rest).
  Q_INVOKABLE void Drain() {
    for (;;) {
      std::function<void()> fn;
      {
        std::lock_guard lock(m_mutex);
        if (m_queue.empty()) return;
        fn = std::move(m_queue.front());
        m_queue.pop_front();
      }
      fn();
    }
  }

 private:
  std::mutex m_mutex;
  std::deque<std::function<void()>> m_queue;
};

MainThreadQueue* g_queue = nullptr;

bool OnMainThread() { return !qApp || QThread::currentThread() == qApp->thread(); }

// A box belongs to the main thread, like every widget. Another thread that
// has something to ask hands its step over through its own HandOverGate,
// which its stopper can cancel; a box asked from it directly would make it
// wait on the main loop with no way to be called off. False (after the
// report) when the box cannot be shown here.
bool MayShowBoxHere() {
  if (OnMainThread()) return true;
  platform::ThreadRuleBroken("a message box asked from another thread than the main thread; "
                             "it is answered with its default button");
  return false;
}

// The answer of a box nobody sees: the button that changes nothing.
platform::MessageAnswer DefaultAnswer(platform::MessageButtons buttons) {
  switch (buttons) {
    case platform::MessageButtons::Ok: return platform::MessageAnswer::Ok;
    case platform::MessageButtons::YesNo: return platform::MessageAnswer::No;
    case platform::MessageButtons::YesNoCancel: return platform::MessageAnswer::Cancel;
  }
  return platform::MessageAnswer::Ok;
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
    if (!MayShowBoxHere()) {
      std::fprintf(stderr, "message: %s\n", text.c_str());
      std::fflush(stderr);
      return;
    }
    QMessageBox box(QMessageBox::NoIcon, platform::ToQString(kAppTitle), platform::ToQString(text),
                    QMessageBox::Ok);
    box.exec();
  }

  platform::MessageAnswer Ask(const std::string& caption, const std::string& text,
                              platform::MessageIcon icon,
                              platform::MessageButtons buttons) override {
    using platform::MessageAnswer;
    using platform::MessageButtons;
    if (m_logOnly) {
      std::fprintf(stderr, "question: %s: %s\n", caption.c_str(), text.c_str());
      std::fflush(stderr);
      return DefaultAnswer(buttons);
    }
    if (!MayShowBoxHere()) {
      std::fprintf(stderr, "question: %s: %s\n", caption.c_str(), text.c_str());
      std::fflush(stderr);
      return DefaultAnswer(buttons);
    }
    QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
    if (buttons == MessageButtons::YesNoCancel)
      qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(ToQt(icon), platform::ToQString(caption), platform::ToQString(text), qtButtons);
    switch (box.exec()) {
      case QMessageBox::Yes: return MessageAnswer::Yes;
      case QMessageBox::No: return MessageAnswer::No;
      case QMessageBox::Cancel: return MessageAnswer::Cancel;
      default: return MessageAnswer::Ok;
    }
  }

 private:
  bool m_logOnly;
};

QtMessageSink* g_sink = nullptr;

}  // namespace

void InstallQtPlatform() {
  if (!g_sink) g_sink = new QtMessageSink;
  platform::SetMessageSink(g_sink);
  if (!g_queue) {
    g_queue = new MainThreadQueue;  // lives on the main thread
    g_queue->moveToThread(qApp->thread());
  }
  platform::SetMainThreadPoster([](std::function<void()> fn) { g_queue->Post(std::move(fn)); });
}

void RemoveQtPlatform() {
  platform::SetMainThreadPoster(nullptr);
  platform::SetMessageSink(nullptr);
  delete g_sink;
  g_sink = nullptr;
}

}  // namespace talvexqt

#include "QtPlatform.moc"
