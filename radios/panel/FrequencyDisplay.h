#pragma once
// A VFO's frequency in large digits, MHz.kHz.Hz ("14.025.000"). The mouse
// wheel over a digit tunes that digit; a click selects the VFO. The tint
// shows the band privileges: normal, amber (outside the operator's limits),
// red (outside the band), dim (the VFO not in use). Main thread only.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

namespace radiopanel {

class FrequencyDisplay : public QWidget {
 public:
  enum class Tint { Normal, Amber, Red, Dim };
  static constexpr int kDigits = 9;  // up to 999.999.999 Hz: VHF and UHF radios too

  /// caption: "VFO A"; digitPixels: the digits' height.
  FrequencyDisplay(const QString& caption, int digitPixels, QWidget* parent = nullptr);

  /// Also kept in the dynamic property "hz".
  void SetFrequency(std::int64_t hz);
  std::int64_t Frequency() const { return m_hz; }
  /// Also kept in the dynamic property "tint" ("normal", "amber", "red", "dim").
  void SetTint(Tint tint);
  Tint GetTint() const { return m_tint; }
  /// Small marks beside the caption: "RX", "TX", "RX TX".
  void SetMarks(const QString& marks);
  /// Blank digits (the radio is off or not answering).
  void SetBlank(bool blank);
  /// Where the digit of that power of ten (0: 1 Hz ... 8: 100 MHz) is drawn.
  /// The centres' x are also in the property "digitX" (a list, 1 Hz first).
  QRect DigitRect(int power) const;

  /// The operator turned a digit: the frequency it asks for.
  std::function<void(std::int64_t)> onTune;
  std::function<void()> onClick;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QFont DigitFont() const;
  QFont CaptionFont() const;
  /// The digits' rectangles, 100 MHz first, and the two dots' positions.
  void Layout(std::vector<QRect>& digits, std::vector<QRect>& dots) const;

  QString m_caption;
  QString m_marks;
  int m_digitPixels;
  std::int64_t m_hz = 0;
  Tint m_tint = Tint::Normal;
  bool m_blank = false;
  int m_wheelRest = 0;  // wheel angle not yet a whole step
};

}  // namespace radiopanel
