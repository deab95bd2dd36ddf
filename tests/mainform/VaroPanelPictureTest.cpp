// The front-panel picture shown before the radio library's own panels.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "QtTestApp.h"
#include "mainform/VaroPanelPicture.h"

TEST(VaroPanelPicture, FillsItsWholePlaceWithADrawing) {
  EnsureQtApp();
  const QImage image = DrawVaroPanelPicture().toImage();
  ASSERT_EQ(image.size(), QSize(910, 295));

  // A drawing, not a flat fill: many colours, and the middle of every edge
  // belongs to the case (opaque), not to the background.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 500);
  for (const QPoint edge : {QPoint(455, 3), QPoint(455, 291), QPoint(3, 147), QPoint(906, 147)})
    EXPECT_EQ(qAlpha(image.pixel(edge)), 255) << edge.x() << "," << edge.y();
}
