#include "qt/widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace pyrelon::qt {

LineWidget::LineWidget(QPointF from, QPointF to, QColor colour, int penWidth, QWidget* parent)
    : QWidget(parent), colour_(colour), penWidth_(penWidth) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  const QRect box =
      QRectF(from, to).normalized().adjusted(-penWidth, -penWidth, penWidth, penWidth).toAlignedRect();
  setGeometry(box);
  from_ = from - box.topLeft();
  to_ = to - box.topLeft();
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPointF from = from_;
  QPointF to = to_;
  const bool straight = from.x() == to.x() || from.y() == to.y();
  if (straight && penWidth_ % 2 == 1) {
    // An odd pen centred on a pixel edge would smear over two pixels.
    from += QPointF(0.5, 0.5);
    to += QPointF(0.5, 0.5);
  }
  painter.setRenderHint(QPainter::Antialiasing, !straight);
  painter.setPen(QPen(colour_, penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawLine(from, to);
}

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

ListBox::ListBox(const QFont& font, QWidget* parent) : QComboBox(parent) {
  settingFont_ = true;
  setFont(font);
  settingFont_ = false;
}

void ListBox::changeEvent(QEvent* event) {
  // Nothing else of the drop-down depends on the font before it is shown.
  if (settingFont_ && event->type() == QEvent::FontChange) {
    QWidget::changeEvent(event);  // NOLINT(bugprone-parent-virtual-call)
    return;
  }
  QComboBox::changeEvent(event);
}

}  // namespace pyrelon::qt
