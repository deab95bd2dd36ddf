#include "MeterBar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "PanelLook.h"

namespace radiopanel {

MeterBar::MeterBar(Scale scale, QWidget* parent) : QWidget(parent), m_scale(scale) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMinimumHeight(34);
  setProperty("reading", 0.0);
}

void MeterBar::SetScale(Scale scale, int maxPower) {
  if (scale == m_scale && maxPower == m_maxPower) return;
  m_scale = scale;
  m_maxPower = std::max(1, maxPower);
  update();
}

void MeterBar::SetValue(double value) {
  if (value == m_value) return;
  m_value = value;
  setProperty("reading", value);
  update();
}

double MeterBar::Fraction(double v) const {
  switch (m_scale) {
    case Scale::S:
      // S0..S9 on the first 60 %, +60 dB (9 + 6) at the end.
      return v <= 9 ? std::max(0.0, v) / 9 * 0.6 : 0.6 + std::min(v - 9, 6.0) / 6 * 0.4;
    case Scale::Power:
      return std::clamp(v / m_maxPower, 0.0, 1.0);
    case Scale::Swr:
      return v <= 1 ? 0 : std::min(1.0, (v - 1) / 2);
    case Scale::Alc:
      return std::clamp(v, 0.0, 1.0);
  }
  return 0;
}

void MeterBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), look::kDisplayBackground);

  const char* caption = "S";
  std::vector<std::pair<double, QString>> ticks;
  double redFrom = 1.1;  // fraction where the bar turns red
  switch (m_scale) {
    case Scale::S:
      for (int s : {1, 3, 5, 7, 9}) ticks.emplace_back(s, QString::number(s));
      for (int db : {20, 60}) ticks.emplace_back(9 + db / 10.0, QString("+%1").arg(db));
      redFrom = 0.6;
      break;
    case Scale::Power:
      caption = "PO";
      for (int i = 0; i <= 4; ++i) ticks.emplace_back(m_maxPower * i / 4.0, QString::number(m_maxPower * i / 4));
      break;
    case Scale::Swr:
      caption = "SWR";
      ticks = {{1, QString("1")}, {1.5, QString("1.5")}, {2, QString("2")}, {3, QString("3+")}};
      redFrom = 0.5;
      break;
    case Scale::Alc:
      caption = "ALC";
      ticks = {{0, QString("0")}, {0.5, QString("")}, {1, QString("max")}};
      redFrom = 0.8;
      break;
  }

  QFont f = font();
  f.setPixelSize(10);
  f.setBold(true);
  p.setFont(f);
  const int left = 34;
  const QRect bar(left, height() / 2 + 1, width() - left - 20, height() / 2 - 5);
  p.setPen(look::kCaption);
  p.drawText(QRect(4, 0, left - 6, height()), Qt::AlignVCenter | Qt::AlignLeft, QString(caption));
  for (const auto& [value, label] : ticks) {
    const int x = bar.left() + static_cast<int>(Fraction(value) * bar.width());
    p.drawLine(x, bar.top() - 3, x, bar.top() - 1);
    p.drawText(QRect(x - 20, 1, 40, bar.top() - 4), Qt::AlignHCenter | Qt::AlignBottom, label);
  }

  p.fillRect(bar, look::kUnlit);
  const double fill = Fraction(m_value);
  const int split = bar.left() + static_cast<int>(std::min(fill, redFrom) * bar.width());
  const int end = bar.left() + static_cast<int>(fill * bar.width());
  const QColor on = isEnabled() ? look::kDigits : look::kDigitsDim;
  p.fillRect(QRect(bar.left(), bar.top(), split - bar.left(), bar.height()), on);
  if (end > split) p.fillRect(QRect(split, bar.top(), end - split, bar.height()), look::kRed);
}

}  // namespace radiopanel
