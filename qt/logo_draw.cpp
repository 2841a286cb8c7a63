#include "qt/logo_draw.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <vector>

#include "shell/logo.h"

namespace pyrelon::qt {
namespace {

QColor qColour(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

QBrush brushOf(const logo::Fill& fill) {
  QGradient gradient;
  switch (fill.kind) {
    case logo::Fill::None: return Qt::NoBrush;
    case logo::Fill::Solid: return qColour(fill.colour);
    case logo::Fill::Linear: gradient = QLinearGradient(fill.x1, fill.y1, fill.x2, fill.y2); break;
    case logo::Fill::Radial: gradient = QRadialGradient(fill.x1, fill.y1, fill.radius); break;
  }
  for (const logo::Stop& stop : fill.stops) gradient.setColorAt(stop.offset, qColour(stop.colour));
  return gradient;
}

QPen penOf(const logo::Stroke& stroke) {
  if (stroke.width <= 0) return Qt::NoPen;
  return QPen(qColour(stroke.colour), stroke.width);
}

QPainterPath pathOf(const std::vector<logo::Segment>& segments) {
  QPainterPath path;
  for (const logo::Segment& s : segments) {
    switch (s.op) {
      case logo::Segment::Move: path.moveTo(s.x[0], s.y[0]); break;
      case logo::Segment::Line: path.lineTo(s.x[0], s.y[0]); break;
      case logo::Segment::Cubic:
        path.cubicTo(s.x[0], s.y[0], s.x[1], s.y[1], s.x[2], s.y[2]);
        break;
      case logo::Segment::HalfArc: {
        const QPointF from = path.currentPosition();
        const qreal rx = s.x[0];
        const qreal ry = s.y[0];
        const QPointF centre((from.x() + s.x[2]) / 2, from.y());
        path.arcTo(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry), 180, -180);
        break;
      }
      case logo::Segment::Close: path.closeSubpath(); break;
    }
  }
  return path;
}

QFont nameFont(const logo::Shape& text) {
  QFont font(QString::fromUtf8(text.family.data(), static_cast<qsizetype>(text.family.size())));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(text.size));
  font.setBold(true);
  font.setItalic(true);
  return font;
}

void paint(QPainter& painter, const logo::Shape& shape) {
  switch (shape.kind) {
    case logo::Shape::Rect: {
      painter.setPen(penOf(shape.stroke));
      painter.setBrush(brushOf(shape.fill));
      const QRectF rect(shape.left, shape.top, shape.width, shape.height);
      if (shape.radius > 0) {
        painter.drawRoundedRect(rect, shape.radius, shape.radius);
      } else {
        painter.drawRect(rect);
      }
      break;
    }
    case logo::Shape::Lines:
      painter.setPen(penOf(shape.stroke));
      for (std::size_t i = 0; i + 1 < shape.path.size(); i += 2) {
        painter.drawLine(QPointF(shape.path[i].x[0], shape.path[i].y[0]),
                         QPointF(shape.path[i + 1].x[0], shape.path[i + 1].y[0]));
      }
      break;
    case logo::Shape::Path:
      painter.setPen(penOf(shape.stroke));
      painter.setBrush(brushOf(shape.fill));
      painter.drawPath(pathOf(shape.path));
      break;
    case logo::Shape::Text: {
      // The outline first, the fill over it.
      QPainterPath name;
      name.addText(0, 0, nameFont(shape),
                   QString::fromUtf8(shape.text.data(), static_cast<qsizetype>(shape.text.size())));
      const QRectF box = name.boundingRect();
      name.translate(shape.left - box.center().x(), shape.top - box.center().y());
      painter.setPen(penOf(shape.stroke));
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(name);
      painter.setPen(Qt::NoPen);
      painter.setBrush(brushOf(shape.fill));
      painter.drawPath(name);
      break;
    }
  }
}

}  // namespace

QFont logoNameFont() {
  for (const logo::Shape& shape : logo::logoShapes())
    if (shape.kind == logo::Shape::Text) return nameFont(shape);
  return {};
}

QString resolvedFace(const QFontInfo& font) {
  return font.family() + QLatin1Char('/') + font.styleName();
}

QPixmap drawLogo(QSize size, qreal devicePixelRatio) {
  QPixmap pixmap(size * devicePixelRatio);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  QPainter painter(&pixmap);
  painter.scale(size.width() / logo::kWidth, size.height() / logo::kHeight);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const logo::Shape& shape : logo::logoShapes()) paint(painter, shape);
  painter.end();
  return pixmap;
}

QPixmap drawLogoFlame(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(side / 64.0, side / 64.0);
  for (const logo::Shape& layer : logo::flame(32, 62, 50, 60)) paint(painter, layer);
  painter.end();
  return pixmap;
}

}  // namespace pyrelon::qt
