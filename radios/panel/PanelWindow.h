#pragma once
// What every panel window of the kit shares: a top-level window that shows
// without taking the activation from the program's window, a title bar the
// program can take away (then the window is moved by dragging its
// background), and the program's keys: F1 to F6 send the stored messages,
// Esc stops sending. Main thread only.

#include <QWidget>
#include <functional>

namespace radiopanel {

class PanelWindow : public QWidget {
 public:
  PanelWindow(const QString& objectName, const QString& title);

  /// With or without the window manager's title bar; a shown window stays
  /// shown where it was.
  void SetTitleBar(bool shown);
  bool HasTitleBar() const { return !(windowFlags() & Qt::FramelessWindowHint); }

  std::function<void(int slot)> onMessageKey;
  std::function<void()> onStopKey;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool m_dragging = false;
  QPoint m_dragOffset;
};

}  // namespace radiopanel
