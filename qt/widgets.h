// Small widgets the toolkit does not offer as such: a straight line between
// two points, a picture that reports a click, and a drop-down list that puts
// off building its pop-up.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QPointF>
#include <QWidget>

namespace pyrelon::qt {

// Paints one straight line. The widget covers the line's bounding box (plus
// the pen) and lets mouse events through to whatever lies beneath it.
class LineWidget final : public QWidget {
 public:
  // `from` and `to` are in the parent's coordinates, in pixels.
  LineWidget(QPointF from, QPointF to, QColor colour, int penWidth, QWidget* parent);

  QPointF from() const { return from_; }
  QPointF to() const { return to_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPointF from_;
  QPointF to_;
  QColor colour_;
  int penWidth_;
};

// A label showing a picture that emits clicked() when the left button is
// pressed and released over it.
class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(QWidget* parent);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// A list-only drop-down given its font when it is made. A drop-down builds
// its pop-up as soon as its font changes, to pass the font on; given at the
// start, the font reaches the pop-up when the pop-up is first needed.
class ListBox final : public QComboBox {
 public:
  ListBox(const QFont& font, QWidget* parent);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  bool settingFont_ = false;
};

}  // namespace pyrelon::qt
