#pragma once
// The main window: the radio's soft panel, the logging grid and the message
// keys. Created first of the long-lived forms; closing it ends the program.

#include <QMainWindow>

class TTalvexApp;

class TfmRCatMain : public QMainWindow {
  Q_OBJECT
 public:
  /// The window works on the application object it is handed, which
  /// outlives it; it does not reach for the process-wide pointer.
  explicit TfmRCatMain(TTalvexApp& app, QWidget* parent = nullptr);

  /// Shows the window un-minimised and in front (a second copy asked for it).
  void BringToFront();

  /// The caption: title, ":  [Built: " and the program file's time stamp.
  static QString BuildCaption(const std::string& programPath);

 private:
  TTalvexApp& m_app;
};
