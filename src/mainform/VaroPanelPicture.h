#pragma once
// The front-panel picture the main window shows before the radio library
// brings up its own panels: a Varo HF transceiver drawn with QPainter.

#include <QPixmap>

/// Width and height of the front-panel picture, in pixels.
constexpr int kVaroPanelWidth = 910;
constexpr int kVaroPanelHeight = 295;

/// Draws the front panel (kVaroPanelWidth by kVaroPanelHeight). Needs the
/// GUI application (fonts); main thread.
QPixmap DrawVaroPanelPicture();
