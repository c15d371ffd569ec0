#include "lumivar/Image.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "platform/qt/ImageCanvas.h"

namespace lumivar {

TSplashForm* SplashForm = nullptr;

QFont TitleFont(int pixelSize) {
  QFont f(QString::fromStdString(plat::MapFontFamily("Times New Roman")));
  f.setPixelSize(pixelSize);
  f.setBold(true);
  f.setItalic(true);
  return f;
}

QPixmap SplashPicture() {
  QPixmap pm(364, 203);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);

  // Dark grey textured background: a fixed grain, so every start looks alike.
  p.fillRect(pm.rect(), QColor(0x3a, 0x3a, 0x3a));
  QRandomGenerator grain(1234);
  for (int i = 0; i < 2600; ++i) {
    const int x = grain.bounded(364), y = grain.bounded(203), g = 0x30 + grain.bounded(0x20);
    p.setPen(QColor(g, g, g));
    p.drawPoint(x, y);
  }

  // Bright green zig-zag arrow rising from the lower left to the upper right.
  const QPointF zig[] = {{18, 186}, {70, 140}, {98, 160}, {150, 104}, {178, 124}, {236, 62}};
  QPen arrow(QColor(0x33, 0xff, 0x33), 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(arrow);
  p.drawPolyline(zig, 6);
  QPainterPath head;
  head.moveTo(256, 40);
  head.lineTo(222, 54);
  head.lineTo(246, 78);
  head.closeSubpath();
  p.fillPath(head, QColor(0x33, 0xff, 0x33));

  // The name in large ornate letters, red with a blue shadow and outline.
  QPainterPath name;
  name.addText(14, 54, TitleFont(52), QStringLiteral("Lumivar"));
  p.save();
  p.translate(3, 3);
  p.fillPath(name, QColor(0x20, 0x40, 0xd0));
  p.restore();
  QLinearGradient red(0, 10, 0, 58);
  red.setColorAt(0, QColor(0xff, 0x60, 0x50));
  red.setColorAt(1, QColor(0xb0, 0x00, 0x10));
  p.fillPath(name, red);
  p.setPen(QPen(QColor(0x10, 0x20, 0x90), 1.2));
  p.drawPath(name);

  // A red cup of coloured pencils at the lower right.
  const QColor pencils[] = {QColor(0xff, 0xd0, 0x00), QColor(0x00, 0x90, 0xff), QColor(0x30, 0xc0, 0x30),
                            QColor(0xa0, 0x30, 0xc0), QColor(0xff, 0x80, 0x00)};
  for (int i = 0; i < 5; ++i) {
    const double angle = -16 + i * 8;
    p.save();
    p.translate(312 + (i - 2) * 7, 160);
    p.rotate(angle);
    p.fillRect(QRectF(-4, -62, 8, 60), pencils[i]);
    QPainterPath tip;
    tip.moveTo(-4, -62);
    tip.lineTo(4, -62);
    tip.lineTo(0, -74);
    tip.closeSubpath();
    p.fillPath(tip, QColor(0xf0, 0xd0, 0xa0));
    p.fillRect(QRectF(-1.5, -74, 3, 4), pencils[i].darker(160));
    p.restore();
  }
  QPainterPath cup;
  cup.moveTo(284, 140);
  cup.lineTo(340, 140);
  cup.lineTo(334, 196);
  cup.lineTo(290, 196);
  cup.closeSubpath();
  QLinearGradient cupShade(284, 0, 340, 0);
  cupShade.setColorAt(0, QColor(0xe0, 0x20, 0x20));
  cupShade.setColorAt(0.4, QColor(0xff, 0x70, 0x60));
  cupShade.setColorAt(1, QColor(0x90, 0x00, 0x00));
  p.fillPath(cup, cupShade);
  p.setPen(QPen(QColor(0x60, 0, 0), 1.5));
  p.drawPath(cup);
  p.end();
  return pm;
}

QPixmap AboutPicture() {
  // Sixteen plain colours and hard edges, like a small icon.
  QPixmap pm(64, 64);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::blue, 2));
  p.drawRect(1, 1, 62, 62);
  p.setPen(Qt::black);
  p.drawLine(6, 44, 58, 44);   // x axis
  p.drawLine(22, 6, 22, 58);   // y axis
  p.drawLine(58, 44, 54, 42);
  p.drawLine(58, 44, 54, 46);
  p.drawLine(22, 6, 20, 10);
  p.drawLine(22, 6, 24, 10);
  for (int x = 10; x <= 54; x += 8) p.drawLine(x, 43, x, 45);
  for (int y = 12; y <= 56; y += 8) p.drawLine(21, y, 23, y);
  QPolygon parabola, bell;
  for (int x = 6; x <= 46; ++x) {
    const double t = (x - 26) / 7.0;
    parabola << QPoint(x, static_cast<int>(std::lround(50 - t * t * 4.5)));
  }
  for (int x = 6; x <= 58; ++x) {
    const double t = (x - 38) / 7.0;
    bell << QPoint(x, static_cast<int>(std::lround(44 - 26 * std::exp(-t * t / 2))));
  }
  p.setPen(QPen(Qt::blue, 2));
  p.drawPolyline(parabola);
  p.setPen(QPen(Qt::red, 2));
  p.drawPolyline(bell);
  p.end();
  return pm;
}

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("SplashForm");
  setFixedSize(364, 203);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, 0, 364, 203);
  Image1->setPixmap(SplashPicture());
}

}  // namespace lumivar
