#include "TuningKnob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "PanelLook.h"

namespace radiopanel {
namespace {

constexpr double kDegreesPerClick = 12;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

TuningKnob::TuningKnob(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(96, 96);
  setCursor(Qt::OpenHandCursor);
  setProperty("vfo", QString(QLatin1Char(m_vfo)));
  setToolTip(QString("Drag round, use the wheel or the arrow keys to tune"));
}

void TuningKnob::SetVfo(char vfo) {
  if (vfo == m_vfo) return;
  m_vfo = vfo;
  setProperty("vfo", QString(QLatin1Char(vfo)));
  update();
}

void TuningKnob::Turn(int clicks) {
  if (clicks == 0) return;
  if (m_settings.reverse) clicks = -clicks;
  m_capAngle = std::fmod(m_capAngle + clicks * kDegreesPerClick, 360.0);
  update();
  if (onTurn) onTurn(clicks);
}

double TuningKnob::AngleAt(QPointF pos) const {
  const QPointF c = QRectF(rect()).center();
  // Clockwise positive, as the knob turns up.
  return std::atan2(pos.x() - c.x(), c.y() - pos.y()) * 180.0 / kPi;
}

void TuningKnob::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double side = std::min(width(), height()) - 8;
  const QPointF c = QRectF(rect()).center();
  const QRectF outer(c.x() - side / 2, c.y() - side / 2, side, side);

  // Ticks round the knob.
  p.setPen(QPen(look::kCaption, 1.5));
  for (int i = 0; i < 24; ++i) {
    const double a = i * 15 * kPi / 180;
    const double r1 = side / 2 - 1, r2 = side / 2 - (i % 2 ? 4 : 7);
    p.drawLine(QPointF(c.x() + r1 * std::sin(a), c.y() - r1 * std::cos(a)),
               QPointF(c.x() + r2 * std::sin(a), c.y() - r2 * std::cos(a)));
  }
  const QRectF cap = outer.adjusted(10, 10, -10, -10);
  QRadialGradient g(c - QPointF(cap.width() / 6, cap.height() / 6), cap.width() / 1.2);
  g.setColorAt(0, look::kKnob.lighter(160));
  g.setColorAt(1, look::kKnob.darker(130));
  p.setBrush(g);
  p.setPen(QPen(hasFocus() ? look::kDigits : look::kKnobEdge, hasFocus() ? 3 : 2));
  p.drawEllipse(cap);

  // The finger dimple turns with the knob.
  const double a = m_capAngle * kPi / 180;
  const double r = cap.width() / 2 - cap.width() / 7;
  const QPointF dimple(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
  p.setBrush(look::kKnobEdge);
  p.setPen(Qt::NoPen);
  p.drawEllipse(dimple, cap.width() / 11, cap.width() / 11);

  QFont f = font();
  f.setBold(true);
  f.setPixelSize(std::max(10, static_cast<int>(side / 7)));
  p.setFont(f);
  p.setPen(isEnabled() ? look::kFrontText : look::kCaption);
  p.drawText(cap, Qt::AlignCenter, QString(QLatin1Char(m_vfo)));
}

void TuningKnob::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_dragging = true;
    m_moved = false;
    m_dragAngle = AngleAt(event->position());
    m_dragRest = 0;
    setCursor(Qt::ClosedHandCursor);
  } else if (event->button() == Qt::RightButton && m_settings.mouseButtons) {
    Turn(1);
  }
  event->accept();
}

void TuningKnob::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging) return;
  const double angle = AngleAt(event->position());
  double delta = angle - m_dragAngle;
  if (delta > 180) delta -= 360;
  if (delta < -180) delta += 360;
  m_dragAngle = angle;
  m_dragRest += delta;
  const int clicks = static_cast<int>(m_dragRest / kDegreesPerClick);
  if (clicks != 0) {
    m_moved = true;
    m_dragRest -= clicks * kDegreesPerClick;
    Turn(clicks);
  }
  event->accept();
}

void TuningKnob::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_dragging) {
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
    if (!m_moved && m_settings.mouseButtons) Turn(-1);
  }
  event->accept();
}

void TuningKnob::wheelEvent(QWheelEvent* event) {
  if (!m_settings.wheel) {
    event->ignore();
    return;
  }
  m_wheelRest += event->angleDelta().y();
  const int clicks = m_wheelRest / 120;
  m_wheelRest %= 120;
  Turn(clicks);
  event->accept();
}

void TuningKnob::keyPressEvent(QKeyEvent* event) {
  int clicks = 0;
  switch (event->key()) {
    case Qt::Key_Up: clicks = m_settings.upDownKeys ? 1 : 0; break;
    case Qt::Key_Down: clicks = m_settings.upDownKeys ? -1 : 0; break;
    case Qt::Key_Right: clicks = m_settings.leftRightKeys ? 1 : 0; break;
    case Qt::Key_Left: clicks = m_settings.leftRightKeys ? -1 : 0; break;
    case Qt::Key_PageUp: clicks = m_settings.pageKeys ? 10 : 0; break;
    case Qt::Key_PageDown: clicks = m_settings.pageKeys ? -10 : 0; break;
    default: break;
  }
  if (clicks == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  Turn(clicks);
  event->accept();
}

void TuningKnob::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void TuningKnob::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

}  // namespace radiopanel
