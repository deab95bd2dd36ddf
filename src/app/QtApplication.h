#pragma once
// The program's QApplication: an exception thrown in an event handler or a
// slot is shown in a box and the program goes on. Qt does not pass
// exceptions out of its event loop; without this one would end the process.

#include <QApplication>

class QtApplication : public QApplication {
 public:
  QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override;
};

/// The box for an exception that reached the top: "Exception: <what>".
void ShowException(const char* what);
