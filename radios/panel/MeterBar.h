#pragma once
// One bar meter of the panel with its scale: the S-meter (S1 to S9+60 dB),
// output power (W), SWR (1 to 3 and beyond) or ALC (0 to 1). Main thread only.

#include <QWidget>

namespace radiopanel {

class MeterBar : public QWidget {
 public:
  enum class Scale { S, Power, Swr, Alc };

  explicit MeterBar(Scale scale, QWidget* parent = nullptr);

  /// maxPower: the full scale of the power meter, W.
  void SetScale(Scale scale, int maxPower = 100);
  Scale GetScale() const { return m_scale; }
  /// The reading in the scale's unit (S units, with 9 + dB/10 above S9).
  /// Also kept in the dynamic property "reading".
  void SetValue(double value);
  double Value() const { return m_value; }

  QSize sizeHint() const override { return {220, 38}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  /// Where on the bar (0..1) a reading lies.
  double Fraction(double value) const;

  Scale m_scale;
  int m_maxPower = 100;
  double m_value = 0;
};

}  // namespace radiopanel
