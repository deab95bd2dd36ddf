#include "mainform/VaroPanelPicture.h"

#include <QConicalGradient>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>

namespace {
const QColor kLabel(0xb8, 0xbc, 0xc2);
const QColor kAmber(0xff, 0xb5, 0x3d);
const QColor kAmberDim(0x19, 0x1f, 0x22);

QFont PanelFont(int pixelSize, bool bold = false, bool italic = false) {
  QFont font("DejaVu Sans");
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

void Label(QPainter& p, const QRectF& box, const QString& text, int size = 9,
           const QColor& color = kLabel) {
  p.setFont(PanelFont(size, true));
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void DrawCase(QPainter& p) {
  QLinearGradient shell(0, 0, 0, kVaroPanelHeight);
  shell.setColorAt(0.0, QColor(0x44, 0x47, 0x4c));
  shell.setColorAt(0.08, QColor(0x2c, 0x2e, 0x32));
  shell.setColorAt(1.0, QColor(0x15, 0x16, 0x18));
  p.setPen(QPen(QColor(0x08, 0x08, 0x09), 2));
  p.setBrush(shell);
  p.drawRoundedRect(QRectF(1, 1, kVaroPanelWidth - 2, kVaroPanelHeight - 2), 16, 16);

  QLinearGradient plate(0, 12, 0, kVaroPanelHeight - 12);
  plate.setColorAt(0.0, QColor(0x33, 0x36, 0x3b));
  plate.setColorAt(1.0, QColor(0x1f, 0x21, 0x24));
  p.setPen(QPen(QColor(0x0c, 0x0c, 0x0d), 1));
  p.setBrush(plate);
  p.drawRoundedRect(QRectF(12, 12, kVaroPanelWidth - 24, kVaroPanelHeight - 24), 10, 10);
  p.setPen(QPen(QColor(0x5c, 0x60, 0x66), 1));
  p.drawLine(QPointF(22, 13), QPointF(kVaroPanelWidth - 22, 13));

  // The four screws that hold the front plate.
  for (const QPointF c : {QPointF(22, 22), QPointF(kVaroPanelWidth - 22, 22),
                          QPointF(22, kVaroPanelHeight - 22),
                          QPointF(kVaroPanelWidth - 22, kVaroPanelHeight - 22)}) {
    QRadialGradient head(c + QPointF(-1.5, -1.5), 5);
    head.setColorAt(0.0, QColor(0x9a, 0x9d, 0xa2));
    head.setColorAt(1.0, QColor(0x3a, 0x3c, 0x40));
    p.setPen(QPen(QColor(0x0a, 0x0a, 0x0b), 1));
    p.setBrush(head);
    p.drawEllipse(c, 4.0, 4.0);
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1c), 1.2));
    p.drawLine(c + QPointF(-2.5, 2.5), c + QPointF(2.5, -2.5));
  }
}

void DrawBadge(QPainter& p) {
  QPainterPath word;
  word.addText(QPointF(36, 52), PanelFont(34, true, true), "Varo");
  QLinearGradient chrome(0, 22, 0, 54);
  chrome.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf8));
  chrome.setColorAt(0.5, QColor(0x9a, 0x9e, 0xa4));
  chrome.setColorAt(1.0, QColor(0xe0, 0xe3, 0xe6));
  p.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
  p.setBrush(chrome);
  p.drawPath(word);
  p.setFont(PanelFont(9, true));
  p.setPen(QColor(0x9c, 0xa0, 0xa6));
  p.drawText(QPointF(130, 38), "HF TRANSCEIVER");
  p.setPen(kAmber);
  p.drawText(QPointF(130, 52), "VR-910");
}

void DrawMeter(QPainter& p, const QRectF& box) {
  p.setPen(QPen(QColor(0x0a, 0x0a, 0x0b), 2));
  p.setBrush(QColor(0x12, 0x13, 0x15));
  p.drawRoundedRect(box.adjusted(-4, -4, 4, 4), 6, 6);
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0.0, QColor(0xf6, 0xe6, 0xbb));
  face.setColorAt(1.0, QColor(0xdc, 0xbd, 0x78));
  p.setPen(Qt::NoPen);
  p.setBrush(face);
  p.drawRoundedRect(box, 3, 3);

  p.save();
  p.setClipRect(box);
  const QPointF pivot(box.center().x(), box.bottom() + 46);
  const double radius = 118;
  const double from = 126, to = 54;  // degrees, counter-clockwise from the x axis
  auto at = [&](double degrees, double r) {
    const double a = qDegreesToRadians(degrees);
    return QPointF(pivot.x() + r * qCos(a), pivot.y() - r * qSin(a));
  };
  const double redFrom = from + (to - from) * 0.6;
  p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2));
  p.setBrush(Qt::NoBrush);
  QRectF arc(pivot.x() - radius, pivot.y() - radius, 2 * radius, 2 * radius);
  p.drawArc(arc, int(redFrom * 16), int((from - redFrom) * 16));
  p.setPen(QPen(QColor(0xc0, 0x1c, 0x1c), 3));
  p.drawArc(arc, int(to * 16), int((redFrom - to) * 16));

  static const std::array<const char*, 8> kMarks = {"1", "3", "5", "7", "9", "+20", "+40", "+60"};
  p.setFont(PanelFont(9, true));
  for (int i = 0; i < int(kMarks.size()); ++i) {
    const double degrees = from + (to - from) * (i < 5 ? i * 0.15 : 0.6 + (i - 4) * 0.1);
    const bool red = i >= 5;
    p.setPen(QPen(red ? QColor(0xc0, 0x1c, 0x1c) : QColor(0x22, 0x22, 0x22), 2));
    p.drawLine(at(degrees, radius), at(degrees, radius + 9));
    const QPointF c = at(degrees, radius + 18);
    p.drawText(QRectF(c.x() - 14, c.y() - 7, 28, 14), Qt::AlignCenter, kMarks[i]);
  }
  for (int i = 1; i < 40; ++i) {
    const double d = from + (to - from) * i / 40;
    p.setPen(QPen(d > redFrom ? QColor(0x22, 0x22, 0x22) : QColor(0xc0, 0x1c, 0x1c), 1));
    p.drawLine(at(d, radius), at(d, radius + 4));
  }

  p.setFont(PanelFont(11, true));
  p.setPen(QColor(0x22, 0x22, 0x22));
  p.drawText(QPointF(box.left() + 8, box.bottom() - 8), "S");
  p.setPen(QColor(0xc0, 0x1c, 0x1c));
  p.drawText(QPointF(box.right() - 24, box.bottom() - 8), "dB");

  p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(at(from + (to - from) * 0.52, 52), at(from + (to - from) * 0.52, radius + 14));
  p.restore();
  QLinearGradient glass(box.topLeft(), box.bottomLeft());
  glass.setColorAt(0.0, QColor(255, 255, 255, 60));
  glass.setColorAt(0.45, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glass);
  p.drawRoundedRect(box, 3, 3);
}

// One seven-segment digit (or a blank) with unlit segments faintly shown.
void DrawDigit(QPainter& p, QPointF origin, double w, double h, int digit) {
  static const std::array<int, 10> kSegments = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                0x6d, 0x7d, 0x07, 0x7f, 0x6f};
  const int lit = digit >= 0 ? kSegments[digit] : 0;
  const double t = w * 0.2;   // segment thickness
  const double slant = 0.12;   // italic lean
  auto pt = [&](double x, double y) { return QPointF(origin.x() + x + (h - y) * slant, origin.y() + y); };
  auto horizontal = [&](double y) {
    return QPolygonF({pt(t * 0.6, y), pt(t, y - t / 2), pt(w - t, y - t / 2), pt(w - t * 0.6, y),
                      pt(w - t, y + t / 2), pt(t, y + t / 2)});
  };
  auto vertical = [&](double x, double y0, double y1) {
    return QPolygonF({pt(x, y0 + t * 0.6), pt(x + t / 2, y0 + t), pt(x + t / 2, y1 - t),
                      pt(x, y1 - t * 0.6), pt(x - t / 2, y1 - t), pt(x - t / 2, y0 + t)});
  };
  const double half = h / 2;
  const std::array<QPolygonF, 7> segments = {
      horizontal(t / 2), vertical(w - t / 2, t / 2, half), vertical(w - t / 2, half, h - t / 2),
      horizontal(h - t / 2), vertical(t / 2, half, h - t / 2), vertical(t / 2, t / 2, half),
      horizontal(half)};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 7; ++i) {
    p.setBrush((lit >> i) & 1 ? kAmber : kAmberDim);
    p.drawPolygon(segments[i]);
  }
}

void DrawDisplay(QPainter& p, const QRectF& box) {
  p.setPen(QPen(QColor(0x05, 0x05, 0x06), 2));
  p.setBrush(QColor(0x0e, 0x0f, 0x11));
  p.drawRoundedRect(box.adjusted(-6, -6, 6, 6), 8, 8);
  QLinearGradient lcd(box.topLeft(), box.bottomLeft());
  lcd.setColorAt(0.0, QColor(0x10, 0x1e, 0x26));
  lcd.setColorAt(1.0, QColor(0x07, 0x10, 0x16));
  p.setPen(Qt::NoPen);
  p.setBrush(lcd);
  p.drawRoundedRect(box, 4, 4);

  struct Flag { const char* text; bool on; };
  static const std::array<Flag, 7> kFlags = {{{"VFO A", true}, {"CW", true}, {"RIT", false},
                                              {"SPLIT", false}, {"ATT", false}, {"NB", true},
                                              {"AGC-F", true}}};
  p.setFont(PanelFont(10, true));
  double x = box.left() + 14;
  for (const Flag& flag : kFlags) {
    p.setPen(flag.on ? kAmber : QColor(0x33, 0x40, 0x48));
    p.drawText(QPointF(x, box.top() + 18), flag.text);
    x += 52;
  }

  // 14.025.00 with the two dots between the groups.
  const std::array<int, 9> kFrequency = {1, 4, -2, 0, 2, 5, -2, 0, 0};
  const double w = 30, h = 54, gap = 9;
  x = box.left() + 36;
  const double top = box.top() + 30;
  for (int digit : kFrequency) {
    if (digit == -2) {
      p.setBrush(kAmber);
      p.drawRect(QRectF(x - 2, top + h - 6, 6, 6));
      x += 10;
      continue;
    }
    DrawDigit(p, QPointF(x, top), w, h, digit);
    x += w + gap;
  }
  p.setFont(PanelFont(12, true));
  p.setPen(kAmber);
  p.drawText(QPointF(x + 4, top + h), "MHz");

  // The bar meter along the bottom of the window.
  const double barTop = box.bottom() - 20;
  for (int i = 0; i < 24; ++i) {
    QColor c = i < 13 ? (i < 9 ? QColor(0x54, 0xe0, 0x8c) : kAmber) : QColor(0x1c, 0x2c, 0x30);
    p.setBrush(c);
    p.drawRect(QRectF(box.left() + 14 + i * 9, barTop, 6, 10));
  }
  p.setFont(PanelFont(10, true));
  p.setPen(QColor(0x7f, 0xb8, 0xc8));
  p.drawText(QRectF(box.right() - 150, barTop - 3, 138, 16), Qt::AlignRight | Qt::AlignVCenter,
             "VFO B  7.012.50");
}

void DrawButton(QPainter& p, const QRectF& box, const QString& label, bool ledOn) {
  Label(p, QRectF(box.left() - 8, box.top() - 15, box.width() + 16, 12), label, 9);
  p.setPen(QPen(QColor(0x08, 0x08, 0x09), 1));
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0.0, QColor(0x5a, 0x5d, 0x62));
  face.setColorAt(1.0, QColor(0x2e, 0x30, 0x33));
  p.setBrush(face);
  p.drawRoundedRect(box, 4, 4);
  if (ledOn) {
    QRadialGradient led(box.center(), 5);
    led.setColorAt(0.0, QColor(0xb8, 0xff, 0xb0));
    led.setColorAt(1.0, QColor(0x2a, 0xb0, 0x40));
    p.setPen(Qt::NoPen);
    p.setBrush(led);
    p.drawEllipse(box.center(), 3.0, 3.0);
  }
}

// A knob seen from the front: shadow, knurled skirt, metal cap.
void DrawKnob(QPainter& p, QPointF c, double r, bool dimple) {
  QRadialGradient shadow(c + QPointF(3, 5), r * 1.15);
  shadow.setColorAt(0.8, QColor(0, 0, 0, 150));
  shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawEllipse(c + QPointF(3, 5), r * 1.15, r * 1.15);

  QLinearGradient skirt(c.x(), c.y() - r, c.x(), c.y() + r);
  skirt.setColorAt(0.0, QColor(0x4a, 0x4c, 0x50));
  skirt.setColorAt(1.0, QColor(0x0e, 0x0e, 0x10));
  p.setBrush(skirt);
  p.setPen(QPen(QColor(0x05, 0x05, 0x05), 1));
  p.drawEllipse(c, r, r);

  const int ridges = r > 40 ? 120 : 36;
  const double inner = r * (r > 40 ? 0.8 : 0.74);
  for (int i = 0; i < ridges; ++i) {
    const double a = 2 * M_PI * i / ridges;
    const double shade = 0.5 + 0.5 * qSin(a + M_PI / 4);  // lit from the top left
    p.setPen(QPen(QColor::fromRgbF(0.15 + 0.25 * shade, 0.15 + 0.25 * shade, 0.17 + 0.25 * shade),
                  r > 40 ? 1.6 : 1.2));
    p.drawLine(QPointF(c.x() + inner * qCos(a), c.y() - inner * qSin(a)),
               QPointF(c.x() + (r - 2) * qCos(a), c.y() - (r - 2) * qSin(a)));
  }

  const double capR = inner - 2;
  QRadialGradient cap(c + QPointF(-capR * 0.35, -capR * 0.4), capR * 1.5);
  cap.setColorAt(0.0, QColor(0xc8, 0xcb, 0xd0));
  cap.setColorAt(0.5, QColor(0x6c, 0x6f, 0x74));
  cap.setColorAt(1.0, QColor(0x2a, 0x2b, 0x2e));
  p.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
  p.setBrush(cap);
  p.drawEllipse(c, capR, capR);
  QConicalGradient sheen(c, 45);
  for (int i = 0; i <= 8; ++i)
    sheen.setColorAt(i / 8.0, QColor(255, 255, 255, i % 2 ? 0 : 34));
  p.setPen(Qt::NoPen);
  p.setBrush(sheen);
  p.drawEllipse(c, capR, capR);

  if (dimple) {
    const QPointF d = c + QPointF(capR * 0.45, -capR * 0.42);
    const double dr = capR * 0.2;
    QRadialGradient hollow(d + QPointF(dr * 0.4, dr * 0.4), dr * 1.4);
    hollow.setColorAt(0.0, QColor(0x9a, 0x9d, 0xa2));
    hollow.setColorAt(1.0, QColor(0x24, 0x25, 0x28));
    p.setPen(QPen(QColor(0x18, 0x18, 0x1a), 1));
    p.setBrush(hollow);
    p.drawEllipse(d, dr, dr);
  } else {
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -capR * 0.25), c + QPointF(0, -capR * 0.85));
  }
}

void DrawSocket(QPainter& p, QPointF c, double r, const QString& label, int pins) {
  Label(p, QRectF(c.x() - 30, c.y() - r - 17, 60, 12), label, 9);
  QRadialGradient ring(c, r);
  ring.setColorAt(0.7, QColor(0x9c, 0xa0, 0xa6));
  ring.setColorAt(1.0, QColor(0x44, 0x46, 0x4a));
  p.setPen(QPen(QColor(0x08, 0x08, 0x09), 1));
  p.setBrush(ring);
  p.drawEllipse(c, r, r);
  p.setBrush(QColor(0x08, 0x08, 0x0a));
  p.drawEllipse(c, r * 0.62, r * 0.62);
  p.setBrush(QColor(0xc8, 0xa8, 0x50));
  p.setPen(Qt::NoPen);
  for (int i = 0; i < pins; ++i) {
    const double a = 2 * M_PI * i / pins;
    p.drawEllipse(c + QPointF(r * 0.38 * qCos(a), r * 0.38 * qSin(a)), 1.6, 1.6);
  }
}
}  // namespace

QPixmap DrawVaroPanelPicture() {
  QImage image(kVaroPanelWidth, kVaroPanelHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  PaintVaroPanelPicture(p);
  p.end();
  return QPixmap::fromImage(image);
}

void PaintVaroPanelPicture(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  DrawCase(p);
  DrawBadge(p);
  DrawMeter(p, QRectF(30, 72, 208, 100));

  // Power switch and the front sockets.
  Label(p, QRectF(24, 190, 64, 12), "POWER");
  p.setPen(QPen(QColor(0x08, 0x08, 0x09), 1));
  p.setBrush(QColor(0x1a, 0x1b, 0x1d));
  p.drawRoundedRect(QRectF(30, 206, 52, 30), 5, 5);
  DrawButton(p, QRectF(35, 210, 42, 22), QString(), true);
  DrawSocket(p, QPointF(138, 228), 15, "PHONES", 0);
  DrawSocket(p, QPointF(206, 228), 19, "MIC", 8);

  const QRectF display(266, 26, 388, 126);
  DrawDisplay(p, display);

  static const std::array<const char*, 8> kButtons = {"BAND", "MODE", "A/B", "SPLIT",
                                                     "RIT", "XIT", "ATT", "NB"};
  for (int i = 0; i < int(kButtons.size()); ++i)
    DrawButton(p, QRectF(270 + i * 48, 180, 38, 18), kButtons[i], i == 7);

  static const std::array<const char*, 5> kKnobs = {"AF / RF", "KEY SPD", "PWR", "RIT / XIT", "NR"};
  for (int i = 0; i < int(kKnobs.size()); ++i) {
    const QPointF c(300 + i * 80, 252);
    Label(p, QRectF(c.x() - 36, 210, 72, 12), kKnobs[i]);
    DrawKnob(p, c, 20, false);
  }

  // The main tuning knob with its scale around it.
  const QPointF vfo(784, 166);
  p.setPen(QPen(kLabel, 1.2));
  for (int i = 0; i < 60; ++i) {
    const double a = 2 * M_PI * i / 60;
    const double r0 = i % 5 ? 102 : 99;
    p.drawLine(QPointF(vfo.x() + r0 * qCos(a), vfo.y() - r0 * qSin(a)),
               QPointF(vfo.x() + 106 * qCos(a), vfo.y() - 106 * qSin(a)));
  }
  DrawKnob(p, vfo, 92, true);
  DrawButton(p, QRectF(680, 38, 36, 16), "LOCK", false);
  DrawButton(p, QRectF(852, 38, 36, 16), "FAST", false);
  p.restore();
}
