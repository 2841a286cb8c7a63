#include "qt/logo_draw.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace pyrelon::qt {
namespace {

// The logo is designed on a 289 x 219 canvas and scaled to its control.
constexpr qreal kDesignWidth = 289;
constexpr qreal kDesignHeight = 219;

// A flame standing on (cx, base), `w` wide and `h` tall, leaning a little
// to the right at its tip.
QPainterPath flamePath(qreal cx, qreal base, qreal w, qreal h) {
  QPainterPath p;
  p.moveTo(cx, base);
  p.cubicTo(cx - w * 0.62, base, cx - w * 0.62, base - h * 0.42, cx - w * 0.30, base - h * 0.66);
  p.cubicTo(cx - w * 0.12, base - h * 0.80, cx - w * 0.10, base - h * 0.90, cx + w * 0.06,
            base - h);
  p.cubicTo(cx + w * 0.04, base - h * 0.84, cx + w * 0.20, base - h * 0.74, cx + w * 0.34,
            base - h * 0.56);
  p.cubicTo(cx + w * 0.62, base - h * 0.30, cx + w * 0.50, base, cx, base);
  p.closeSubpath();
  return p;
}

void paintFlame(QPainter& painter, qreal cx, qreal base, qreal w, qreal h) {
  struct Layer {
    qreal scale;
    QColor outer;
    QColor inner;
  };
  const Layer layers[] = {
      {1.00, QColor(190, 30, 10), QColor(240, 90, 20)},
      {0.74, QColor(245, 110, 20), QColor(255, 170, 40)},
      {0.48, QColor(255, 200, 50), QColor(255, 240, 150)},
      {0.24, QColor(255, 250, 210), QColor(255, 255, 255)},
  };
  painter.setPen(Qt::NoPen);
  for (const Layer& layer : layers) {
    const qreal lw = w * layer.scale;
    const qreal lh = h * layer.scale;
    QLinearGradient gradient(cx, base - lh, cx, base);
    gradient.setColorAt(0.0, layer.outer);
    gradient.setColorAt(1.0, layer.inner);
    painter.setBrush(gradient);
    painter.drawPath(flamePath(cx, base, lw, lh));
  }
}

void paintLogo(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  // Night-dark background warming towards the furnace.
  QLinearGradient sky(0, 0, 0, kDesignHeight);
  sky.setColorAt(0.0, QColor(28, 30, 40));
  sky.setColorAt(1.0, QColor(70, 24, 12));
  painter.fillRect(QRectF(0, 0, kDesignWidth, kDesignHeight), sky);

  // The furnace: a brick block with an arched mouth.
  const QRectF block(54, 26, 181, 134);
  painter.setPen(QPen(QColor(30, 12, 8), 2));
  painter.setBrush(QColor(128, 52, 34));
  painter.drawRoundedRect(block, 6, 6);
  painter.setPen(QPen(QColor(92, 36, 24), 1.5));
  for (qreal y = block.top() + 16; y < block.bottom(); y += 16) {
    painter.drawLine(QPointF(block.left() + 2, y), QPointF(block.right() - 2, y));
    const int row = static_cast<int>((y - block.top()) / 16);
    for (qreal x = block.left() + (row % 2 ? 14 : 28); x < block.right(); x += 28)
      painter.drawLine(QPointF(x, y - 16), QPointF(x, y));
  }

  QPainterPath mouth;
  const QRectF mouthRect(92, 54, 105, 106);
  mouth.moveTo(mouthRect.left(), mouthRect.bottom());
  mouth.lineTo(mouthRect.left(), mouthRect.top() + 52);
  mouth.arcTo(QRectF(mouthRect.left(), mouthRect.top(), mouthRect.width(), 104), 180, -180);
  mouth.lineTo(mouthRect.right(), mouthRect.bottom());
  mouth.closeSubpath();
  QRadialGradient glow(144, 150, 90);
  glow.setColorAt(0.0, QColor(255, 200, 90));
  glow.setColorAt(0.5, QColor(200, 70, 20));
  glow.setColorAt(1.0, QColor(60, 14, 6));
  painter.setPen(QPen(QColor(40, 16, 10), 4));
  painter.setBrush(glow);
  painter.drawPath(mouth);

  paintFlame(painter, 144, 158, 84, 98);

  // Hearth below the mouth.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(50, 50, 56));
  painter.drawRect(QRectF(40, 158, 209, 8));

  // The name.
  QPainterPath name;
  name.addText(0, 0, logoNameFont(), QStringLiteral("Pyrelon"));
  const QRectF nameBox = name.boundingRect();
  name.translate(kDesignWidth / 2 - nameBox.center().x(), 198 - nameBox.center().y());
  QLinearGradient gold(0, 178, 0, 216);
  gold.setColorAt(0.0, QColor(255, 236, 140));
  gold.setColorAt(1.0, QColor(255, 140, 30));
  painter.setPen(QPen(QColor(60, 16, 6), 2.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(name);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gold);
  painter.drawPath(name);
}

}  // namespace

QFont logoNameFont() {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(40);
  font.setBold(true);
  font.setItalic(true);
  return font;
}

QString resolvedFace(const QFontInfo& font) {
  return font.family() + QLatin1Char('/') + font.styleName();
}

QPixmap drawLogo(QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  QPainter painter(&pixmap);
  painter.scale(size.width() / kDesignWidth, size.height() / kDesignHeight);
  paintLogo(painter);
  painter.end();
  return pixmap;
}

QPixmap drawLogoFlame(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(side / 64.0, side / 64.0);
  paintFlame(painter, 32, 62, 50, 60);
  painter.end();
  return pixmap;
}

}  // namespace pyrelon::qt
