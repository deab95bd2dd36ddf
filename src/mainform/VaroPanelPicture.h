#pragma once
// The front-panel picture the main window shows before the radio library
// brings up its own panels: a Varo HF transceiver drawn with QPainter.

#include <QPainter>
#include <QPixmap>

/// Width and height of the front-panel picture, in pixels.
constexpr int kVaroPanelWidth = 910;
constexpr int kVaroPanelHeight = 295;

/// Paints the front panel (kVaroPanelWidth by kVaroPanelHeight) from the
/// painter's origin. Needs the GUI application (fonts); main thread.
void PaintVaroPanelPicture(QPainter& p);
/// The front panel drawn into a picture of its own.
QPixmap DrawVaroPanelPicture();
