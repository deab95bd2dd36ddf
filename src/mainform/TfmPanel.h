#pragma once
// A panel with a caption, as the main window's key row and status panels
// are: a label that runs its click handler on a mouse release inside it.
// A panel given a painter shows that drawing instead of its caption.

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <functional>

class TfmPanel : public QLabel {
 public:
  using QLabel::QLabel;

  void SetClickHandler(std::function<void()> handler) { m_onClick = std::move(handler); }
  void SetPainter(std::function<void(QPainter&)> painter) {
    m_painter = std::move(painter);
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!m_painter) return QLabel::paintEvent(event);
    QPainter painter(this);
    m_painter(painter);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (m_onClick && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      m_onClick();
  }

 private:
  std::function<void()> m_onClick;
  std::function<void(QPainter&)> m_painter;
};
