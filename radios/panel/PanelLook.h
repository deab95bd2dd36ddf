#pragma once
// The panels' colours: a dark radio front, light green digits, amber and
// red for the band privileges.

#include <QColor>

namespace radiopanel::look {

inline const QColor kFront{0x2b, 0x2f, 0x33};
inline const QColor kFrontText{0xe6, 0xe8, 0xea};
inline const QColor kDisplayBackground{0x0c, 0x12, 0x10};
inline const QColor kDigits{0x9c, 0xff, 0xb0};
inline const QColor kDigitsDim{0x4e, 0x70, 0x58};
inline const QColor kUnlit{0x18, 0x24, 0x1e};
inline const QColor kCaption{0x8f, 0xa8, 0x98};
inline const QColor kAmber{0xff, 0xb0, 0x20};
inline const QColor kRed{0xff, 0x45, 0x45};
inline const QColor kKnob{0x4a, 0x50, 0x56};
inline const QColor kKnobEdge{0x15, 0x18, 0x1b};

}  // namespace radiopanel::look

#include <QString>

namespace radiopanel::look {

/// The panels' buttons, boxes and strips on the dark front. Built at run
/// time (no string literal of ours is kept by Qt past the library's unload).
inline QString StyleSheet() {
  return QString::fromLatin1(
      "QPushButton { background: #3b4147; color: #e6e8ea; border: 1px solid #15181b;"
      "  border-radius: 3px; padding: 3px 7px; min-height: 18px; }"
      "QPushButton:hover { background: #4a5259; }"
      "QPushButton:pressed { background: #2a2f33; }"
      "QPushButton:checked { background: #c8e85a; color: #101410; }"
      "QPushButton:disabled { color: #6b7278; background: #33383d; }"
      "QSpinBox, QComboBox, QLineEdit, QPlainTextEdit { background: #0c1210; color: #9cffb0;"
      "  border: 1px solid #15181b; border-radius: 2px; padding: 1px 3px; }"
      "QSpinBox:disabled, QComboBox:disabled, QLineEdit:disabled { color: #4e7058; }"
      "QLabel { color: #e6e8ea; }"
      "QLabel:disabled { color: #6b7278; }"
      "QCheckBox { color: #e6e8ea; }"
      "QFrame#strip { background: #23272b; border-top: 1px solid #15181b; border-bottom: 1px solid #15181b; }");
}

}  // namespace radiopanel::look
