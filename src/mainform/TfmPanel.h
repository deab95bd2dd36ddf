#pragma once
// A panel with a caption, as the main window's key row and status panels
// are: a label that runs its click handler on a mouse release inside it.

#include <QLabel>
#include <QMouseEvent>
#include <functional>

class TfmPanel : public QLabel {
 public:
  using QLabel::QLabel;

  void SetClickHandler(std::function<void()> handler) { m_onClick = std::move(handler); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (m_onClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      m_onClick();
  }

 private:
  std::function<void()> m_onClick;
};
