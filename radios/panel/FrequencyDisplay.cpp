#include "FrequencyDisplay.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <QWheelEvent>
#include <algorithm>

#include "PanelLook.h"

namespace radiopanel {
namespace {

constexpr std::int64_t kMaxHz = 999999999;
constexpr int kCaptionWidth = 64;

std::int64_t Power10(int power) {
  std::int64_t v = 1;
  for (int i = 0; i < power; ++i) v *= 10;
  return v;
}

const char* TintName(FrequencyDisplay::Tint tint) {
  switch (tint) {
    case FrequencyDisplay::Tint::Normal: return "normal";
    case FrequencyDisplay::Tint::Amber: return "amber";
    case FrequencyDisplay::Tint::Red: return "red";
    case FrequencyDisplay::Tint::Dim: return "dim";
  }
  return "";
}

}  // namespace

FrequencyDisplay::FrequencyDisplay(const QString& caption, int digitPixels, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_digitPixels(digitPixels) {
  setProperty("tint", QString::fromLatin1(TintName(m_tint)));
  setCursor(Qt::PointingHandCursor);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void FrequencyDisplay::SetFrequency(std::int64_t hz) {
  if (hz == m_hz) return;
  m_hz = hz;
  setProperty("hz", static_cast<qlonglong>(hz));
  update();
}

void FrequencyDisplay::SetTint(Tint tint) {
  if (tint == m_tint) return;
  m_tint = tint;
  setProperty("tint", QString::fromLatin1(TintName(tint)));
  update();
}

void FrequencyDisplay::SetMarks(const QString& marks) {
  if (marks == m_marks) return;
  m_marks = marks;
  update();
}

void FrequencyDisplay::SetBlank(bool blank) {
  if (blank == m_blank) return;
  m_blank = blank;
  update();
}

QFont FrequencyDisplay::DigitFont() const {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setPixelSize(m_digitPixels);
  f.setBold(true);
  return f;
}

QFont FrequencyDisplay::CaptionFont() const {
  QFont f = font();
  f.setPixelSize(std::max(10, m_digitPixels / 4));
  f.setBold(true);
  return f;
}

void FrequencyDisplay::Layout(std::vector<QRect>& digits, std::vector<QRect>& dots) const {
  const QFontMetrics fm(DigitFont());
  const int w = fm.horizontalAdvance(QLatin1Char('0'));
  const int dot = std::max(4, w / 2);
  const int h = fm.height();
  int x = kCaptionWidth;
  const int y = (height() - h) / 2;
  digits.clear();
  dots.clear();
  for (int i = 0; i < kDigits; ++i) {
    digits.emplace_back(x, y, w, h);
    x += w;
    const int power = kDigits - 1 - i;
    if (power == 6 || power == 3) {
      dots.emplace_back(x, y, dot, h);
      x += dot;
    }
  }
}

QRect FrequencyDisplay::DigitRect(int power) const {
  if (power < 0 || power >= kDigits) return {};
  std::vector<QRect> digits, dots;
  Layout(digits, dots);
  return digits[static_cast<std::size_t>(kDigits - 1 - power)];
}

QSize FrequencyDisplay::sizeHint() const {
  const QFontMetrics fm(DigitFont());
  const int w = fm.horizontalAdvance(QLatin1Char('0'));
  return {kCaptionWidth + kDigits * w + 2 * std::max(4, w / 2) + 12, fm.height() + 8};
}

void FrequencyDisplay::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), look::kDisplayBackground);

  QColor digitColour = look::kDigits;
  switch (m_tint) {
    case Tint::Normal: break;
    case Tint::Amber: digitColour = look::kAmber; break;
    case Tint::Red: digitColour = look::kRed; break;
    case Tint::Dim: digitColour = look::kDigitsDim; break;
  }

  p.setFont(CaptionFont());
  p.setPen(look::kCaption);
  const QRect captionRect(6, 4, kCaptionWidth - 8, height() / 2);
  p.drawText(captionRect, Qt::AlignLeft | Qt::AlignTop, m_caption);
  // RX in the digits' green, TX in red.
  const QRect marksRect(6, height() / 2, kCaptionWidth - 8, height() / 2 - 4);
  int x = marksRect.left();
  for (const QString& mark : m_marks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    p.setPen(mark == QLatin1String("TX") ? look::kRed : look::kDigits);
    p.drawText(QRect(x, marksRect.top(), marksRect.width(), marksRect.height()), Qt::AlignLeft | Qt::AlignBottom, mark);
    x += p.fontMetrics().horizontalAdvance(mark + QLatin1Char(' '));
  }

  std::vector<QRect> digits, dots;
  Layout(digits, dots);
  p.setFont(DigitFont());
  const QString text = QString::number(std::clamp<std::int64_t>(m_hz, 0, kMaxHz)).rightJustified(kDigits, QLatin1Char(' '));
  for (int i = 0; i < kDigits; ++i) {
    const QRect& r = digits[static_cast<std::size_t>(i)];
    // Unlit segments behind, as on a radio's display.
    p.setPen(look::kUnlit);
    p.drawText(r, Qt::AlignCenter, QString(QLatin1Char('8')));
    if (m_blank || text[i] == QLatin1Char(' ')) continue;
    p.setPen(digitColour);
    p.drawText(r, Qt::AlignCenter, QString(text[i]));
  }
  if (!m_blank) {
    p.setPen(digitColour);
    for (const QRect& d : dots) p.drawText(d, Qt::AlignHCenter | Qt::AlignBottom, QString(QLatin1Char('.')));
  }
}

void FrequencyDisplay::wheelEvent(QWheelEvent* event) {
  const QPoint pos = event->position().toPoint();
  int power = -1;
  for (int i = 0; i < kDigits; ++i) {
    const QRect r = DigitRect(i);
    if (pos.x() >= r.left() && pos.x() <= r.right()) power = i;
  }
  if (power < 0 || m_blank) {
    event->ignore();
    return;
  }
  m_wheelRest += event->angleDelta().y();
  const int steps = m_wheelRest / 120;
  m_wheelRest %= 120;
  event->accept();
  if (steps == 0) return;
  const std::int64_t hz = std::clamp<std::int64_t>(m_hz + steps * Power10(power), 1, kMaxHz);
  SetFrequency(hz);
  if (onTune) onTune(hz);
}

void FrequencyDisplay::resizeEvent(QResizeEvent* event) {
  QVariantList centres;
  for (int power = 0; power < kDigits; ++power) centres.append(DigitRect(power).center().x());
  setProperty("digitX", centres);
  QWidget::resizeEvent(event);
}

void FrequencyDisplay::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) {
    onClick();
    event->accept();
    return;
  }
  QWidget::mousePressEvent(event);
}

}  // namespace radiopanel
