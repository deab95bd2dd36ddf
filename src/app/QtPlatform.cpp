#include "app/QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/AppTitle.h"
#include "platform/HandOver.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/Synchronize.h"

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

std::atomic<bool> g_handOversOpen{true};

bool OnMainThread() { return QThread::currentThread() == qApp->thread(); }

// Runs fn on the main thread and waits for it; false when it was dropped
// because the message loop has ended.
bool RunOnMainThread(const std::function<void()>& fn) {
  if (!qApp || OnMainThread()) {
    fn();
    return true;
  }
  if (!g_handOversOpen) return false;
  QMetaObject::invokeMethod(qApp, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
  return true;
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
    const bool shown = RunOnMainThread([&] {
      QMessageBox box(QMessageBox::NoIcon, platform::ToQString(kAppTitle),
                      platform::ToQString(text), QMessageBox::Ok);
      box.exec();
    });
    if (!shown) std::fprintf(stderr, "message: %s\n", text.c_str());
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
    MessageAnswer answer = MessageAnswer::Ok;
    const bool asked = RunOnMainThread([&] {
      QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
      if (buttons == MessageButtons::YesNo) qtButtons = QMessageBox::Yes | QMessageBox::No;
      if (buttons == MessageButtons::YesNoCancel)
        qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      QMessageBox box(ToQt(icon), platform::ToQString(caption),
                      platform::ToQString(text), qtButtons);
      switch (box.exec()) {
        case QMessageBox::Yes: answer = MessageAnswer::Yes; break;
        case QMessageBox::No: answer = MessageAnswer::No; break;
        case QMessageBox::Cancel: answer = MessageAnswer::Cancel; break;
        default: answer = MessageAnswer::Ok; break;
      }
    });
    if (!asked) {
      std::fprintf(stderr, "question: %s: %s\n", caption.c_str(), text.c_str());
      return DefaultAnswer(buttons);
    }
    return answer;
  }

 private:
  bool m_logOnly;
};

QtMessageSink* g_sink = nullptr;

}  // namespace

void InstallQtPlatform() {
  if (!g_sink) g_sink = new QtMessageSink;
  g_handOversOpen = true;
  platform::SetMessageSink(g_sink);
  platform::SetMainThreadRunner([](const std::function<void()>& fn) { RunOnMainThread(fn); });
  if (!g_queue) {
    g_queue = new MainThreadQueue;  // lives on the main thread
    g_queue->moveToThread(qApp->thread());
  }
  platform::SetMainThreadPoster([](std::function<void()> fn) { g_queue->Post(std::move(fn)); });
}

void CloseHandOvers() { g_handOversOpen = false; }

void RemoveQtPlatform() {
  platform::SetMainThreadRunner(nullptr);
  platform::SetMainThreadPoster(nullptr);
  platform::SetMessageSink(nullptr);
  delete g_sink;
  g_sink = nullptr;
}

}  // namespace talvexqt

#include "QtPlatform.moc"
