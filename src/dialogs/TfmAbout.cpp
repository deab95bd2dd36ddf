#include "dialogs/TfmAbout.h"

#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>
#include <cmath>

#include "data/FixedText.h"
#include "platform/AppTitle.h"
#include "platform/QtText.h"

namespace {

constexpr int kPictureWidth = 521;
constexpr int kPictureHeight = 254;

// The picture: the program's name over a band of the radio's colours.
QPixmap DrawAboutPicture() {
  QPixmap picture(kPictureWidth, kPictureHeight);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, 0, kPictureHeight);
  sky.setColorAt(0, QColor(0x10, 0x20, 0x40));
  sky.setColorAt(1, QColor(0x30, 0x50, 0x80));
  painter.fillRect(picture.rect(), sky);
  // A signal on the band: a wave across the picture.
  QPainterPath wave(QPointF(0, kPictureHeight * 0.75));
  for (int x = 0; x <= kPictureWidth; x += 2)
    wave.lineTo(x, kPictureHeight * 0.75 + 18 * std::sin(x / 14.0));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0xff, 0xb0, 0x30), 3));
  painter.drawPath(wave);
  QFont title = painter.font();
  title.setPixelSize(48);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(Qt::white);
  painter.drawText(picture.rect().adjusted(0, 0, 0, -kPictureHeight / 3), Qt::AlignCenter, QStringLiteral("Talvex"));
  return picture;
}

}  // namespace

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("fmAbout"));
  setWindowTitle(QString::fromLatin1(kAppTitle));
  auto* imAbout = new QLabel(this);
  imAbout->setObjectName(QStringLiteral("imAbout"));
  imAbout->setFrameStyle(QFrame::Box);
  imAbout->setPixmap(DrawAboutPicture());
  pnVersion = new QLabel(this);
  pnVersion->setObjectName(QStringLiteral("pnVersion"));
  pnVersion->setAlignment(Qt::AlignCenter);
  auto* credits = new QGroupBox(this);
  Label1 = new QLabel(credits);
  Label1->setObjectName(QStringLiteral("Label1"));
  (new QVBoxLayout(credits))->addWidget(Label1);
  auto* info = new QGroupBox(this);
  info->setObjectName(QStringLiteral("gbProgramInfo"));
  (new QVBoxLayout(info))
      ->addWidget(new QLabel(QStringLiteral("A soft panel and contact logger for amateur-radio operators."), info));
  auto* layout = new QVBoxLayout(this);
  for (QWidget* part : {static_cast<QWidget*>(imAbout), static_cast<QWidget*>(pnVersion),
                        static_cast<QWidget*>(credits), static_cast<QWidget*>(info)})
    layout->addWidget(part);
  SetVersion("");
  SetLibraryDate("");
}

void TfmAbout::SetVersion(const std::string& version) {
  pnVersion->setText(QStringLiteral("Version ") + platform::ToQString(FixedText<14>(version).str()));
}

void TfmAbout::SetLibraryDate(const std::string& date) {
  Label1->setText(QStringLiteral("Serial I/O through SioOstrel.DLL, by its author. Built ") +
                  platform::ToQString(FixedText<17>(date).str()));
}
