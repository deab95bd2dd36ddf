#pragma once
// The tuning knob: turned by dragging round its centre, by the mouse wheel,
// by the keys and mouse buttons KnobSettings allows. It reports clicks
// (positive: up); the panel turns them into frequency at the chosen step.
// Takes the keyboard focus (FOCUSVFOKNOB). Main thread only.

#include <QWidget>
#include <functional>

#include "KnobSettings.h"

namespace radiopanel {

class TuningKnob : public QWidget {
 public:
  explicit TuningKnob(QWidget* parent = nullptr);

  void SetSettings(const KnobSettings& settings) { m_settings = settings; }
  /// The VFO the knob tunes, drawn on its cap; also the property "vfo".
  void SetVfo(char vfo);
  char Vfo() const { return m_vfo; }

  std::function<void(int clicks)> onTurn;

  QSize sizeHint() const override { return {120, 120}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Turn(int clicks);
  double AngleAt(QPointF pos) const;

  KnobSettings m_settings;
  char m_vfo = 'A';
  double m_capAngle = 0;    // degrees the cap is drawn turned
  double m_dragAngle = 0;   // where the drag was at the last move
  double m_dragRest = 0;    // degrees dragged, not yet a click
  bool m_dragging = false;
  bool m_moved = false;
  int m_wheelRest = 0;
};

}  // namespace radiopanel
