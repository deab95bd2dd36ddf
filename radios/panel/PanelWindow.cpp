#include "PanelWindow.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "PanelLook.h"

namespace radiopanel {

PanelWindow::PanelWindow(const QString& objectName, const QString& title) : QWidget(nullptr, Qt::Window) {
  setObjectName(objectName);
  setWindowTitle(title);
  // The program's window keeps the keyboard: the operator types the call.
  setAttribute(Qt::WA_ShowWithoutActivating);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, look::kFront);
  pal.setColor(QPalette::WindowText, look::kFrontText);
  pal.setColor(QPalette::Disabled, QPalette::WindowText, look::kCaption);
  setPalette(pal);
  setAutoFillBackground(true);
}

void PanelWindow::SetTitleBar(bool shown) {
  if (shown == HasTitleBar()) return;
  const bool visible = isVisible();
  const QPoint at = pos();
  setWindowFlag(Qt::FramelessWindowHint, !shown);
  move(at);
  if (visible) show();
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key >= Qt::Key_F1 && key <= Qt::Key_F6 && onMessageKey) {
    onMessageKey(key - Qt::Key_F1);
    event->accept();
    return;
  }
  if (key == Qt::Key_Escape && onStopKey) {
    onStopKey();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PanelWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !HasTitleBar()) {
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

void PanelWindow::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging) {
    move(event->globalPosition().toPoint() - m_dragOffset);
    event->accept();
    return;
  }
  QWidget::mouseMoveEvent(event);
}

void PanelWindow::mouseReleaseEvent(QMouseEvent* event) {
  m_dragging = false;
  QWidget::mouseReleaseEvent(event);
}

}  // namespace radiopanel
