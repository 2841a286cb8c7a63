// Small widgets the toolkit does not offer as such: a straight line between
// two points, a picture that reports a click, and a drop-down list that puts
// off building its pop-up.
#pragma once

#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointF>
#include <QWidget>
#include <functional>

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
// Its pop-up is made wide enough for the longest entry.
class ListBox final : public QComboBox {
 public:
  ListBox(const QFont& font, QWidget* parent);
  void showPopup() override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  bool settingFont_ = false;
};

// A result: yellow on black, selectable, never editable, and never clipped.
// Its text always fits: at its place in its own font if it can, else in a
// smaller font (down to 6 pt), else widened toward the room around it, else
// drawn as its beginning and end with "…" between them. Only the drawing
// is shortened: text(), what is copied, the tooltip and the accessible
// description keep the whole text.
class ResultLabel final : public QLabel {
  Q_OBJECT

 public:
  static constexpr qreal kSmallestPoints = 6;

  explicit ResultLabel(QWidget* parent);

  // The label's own place and font, and the widest span it may take, in
  // its parent's coordinates.
  void setHome(const QRect& place, const QFont& font, int roomLeft, int roomRight);
  // Places and sizes the current text; call after each new text.
  void fitText();
  // Dims the text while it no longer matches its panel's inputs.
  void setStale(bool stale);
  bool isStale() const { return stale_; }
  // Whether the drawing is shortened with "…", and what is drawn.
  bool isShortened() const { return shortened_; }
  QString drawnText() const;

 signals:
  void copyPanelResultsRequested();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void copy() const;
  bool fits(const QFont& font, int width) const;

  QRect place_;
  QFont font_;
  int roomLeft_ = 0;
  int roomRight_ = 0;
  bool stale_ = false;
  bool shortened_ = false;
};

// An input box whose pastes (Ctrl+V, Shift+Insert, a middle click, its
// context menu, a drop) are first shown to a handler, which may beep and
// empty the box; the pasted text is then inserted as usual.
class InputBox final : public QLineEdit {
 public:
  using PasteHandler = std::function<void(const QString& pasted)>;

  InputBox(const QString& text, QWidget* parent);
  void setPasteHandler(PasteHandler handler) { pasteHandler_ = std::move(handler); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void pasteFrom(QClipboard::Mode mode);

  PasteHandler pasteHandler_;
};

}  // namespace pyrelon::qt
