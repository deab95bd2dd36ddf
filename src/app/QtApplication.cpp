#include "app/QtApplication.h"

#include <cstdio>
#include <exception>
#include <string>

#include "platform/MessageSink.h"

void ShowException(const char* what) {
  const std::string text = std::string("Exception: ") + (what ? what : "unknown error");
  std::fprintf(stderr, "Talvex: %s\n", text.c_str());
  platform::ShowMessage(text);
}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException(nullptr);
  }
  return false;
}
