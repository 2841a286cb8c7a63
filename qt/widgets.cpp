#include "qt/widgets.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "shell/presentation.h"

namespace pyrelon::qt {

LineWidget::LineWidget(QPointF from, QPointF to, QColor colour, int penWidth, QWidget* parent)
    : QWidget(parent), colour_(colour), penWidth_(penWidth) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  const QRect box = QRectF(from, to)
                        .normalized()
                        .adjusted(-penWidth, -penWidth, penWidth, penWidth)
                        .toAlignedRect();
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
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
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

void ListBox::showPopup() {
  const QFontMetrics metrics(font());
  int widest = 0;
  for (int i = 0; i < count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
  // The entry's own margins, the pop-up's frame, and a scroll bar should one
  // show.
  const int margins = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 16;
  view()->setMinimumWidth(std::max(width(), widest + margins));
  QComboBox::showPopup();
}

namespace {

// What the text needs beside its advance: the ink of the first and last
// digit may reach a pixel past it.
constexpr int kSlack = 2;
constexpr qreal kPointStep = 0.5;

QClipboard* clipboard() { return QGuiApplication::clipboard(); }

}  // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {}

void ResultLabel::setHome(const QRect& place, const QFont& font, int roomLeft, int roomRight) {
  place_ = place;
  font_ = font;
  roomLeft_ = roomLeft;
  roomRight_ = roomRight;
  fitText();
}

bool ResultLabel::fits(const QFont& font, int width) const {
  return QFontMetrics(font).horizontalAdvance(text()) + kSlack <= width;
}

void ResultLabel::fitText() {
  if (place_.isNull()) return;
  QRect place = place_;
  QFont font = font_;
  shortened_ = false;
  if (!fits(font, place.width())) {
    for (qreal points = font_.pointSizeF() - kPointStep;
         points >= kSmallestPoints && !fits(font, place.width()); points -= kPointStep)
      font.setPointSizeF(points);
    if (!fits(font, place.width())) {
      const ResultPlace widened = resultPlace(
          {place.left(), place.top(), place.width(), place.height()}, {roomLeft_, roomRight_},
          QFontMetrics(font).horizontalAdvance(text()) + kSlack);
      const PixelRect& r = widened.place;
      place = QRect(r.left, r.top, r.width, r.height);
      shortened_ = widened.shortened;
    }
  }
  if (this->font() != font) setFont(font);
  if (geometry() != place) setGeometry(place);
  // Where the drawing is not the plain text in its place, hovering shows it.
  setToolTip(place != place_ || font != font_ ? text() : QString());
  update();
}

void ResultLabel::setStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  QPalette colours = palette();
  const Rgb text = stale ? kStaleResultText : kResultText;
  colours.setColor(QPalette::WindowText, QColor(text.red, text.green, text.blue));
  setPalette(colours);
}

QString ResultLabel::drawnText() const {
  if (!shortened_) return text();
  return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width() - kSlack);
}

void ResultLabel::paintEvent(QPaintEvent* event) {
  if (!shortened_) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  if (hasSelectedText()) {
    painter.fillRect(contentsRect(), palette().color(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
  } else {
    painter.setPen(palette().color(QPalette::WindowText));
  }
  painter.setFont(font());
  painter.drawText(contentsRect(), Qt::AlignCenter, drawnText());
}

void ResultLabel::copy() const {
  clipboard()->setText(hasSelectedText() ? selectedText() : text());
}

void ResultLabel::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
    event->accept();
    return;
  }
  QLabel::keyPressEvent(event);
}

void ResultLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  // The label shows one number: select all of it, sign, separator and
  // exponent included, but no blank around it.
  const QString shown = text();
  qsizetype first = 0;
  qsizetype last = shown.size();
  while (first < last && shown.at(first).isSpace()) ++first;
  while (last > first && shown.at(last - 1).isSpace()) --last;
  if (last > first) setSelection(static_cast<int>(first), static_cast<int>(last - first));
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copyOne = menu->addAction(QStringLiteral("Copy"), this, [this] { copy(); });
  copyOne->setObjectName(QStringLiteral("copyResult"));
  QAction* copyAll = menu->addAction(QStringLiteral("Copy panel results"), this,
                                     [this] { emit copyPanelResultsRequested(); });
  copyAll->setObjectName(QStringLiteral("copyPanelResults"));
  menu->popup(event->globalPos());
  event->accept();
}

InputBox::InputBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {}

void InputBox::pasteFrom(QClipboard::Mode mode) {
  const QString pasted = clipboard()->text(mode);
  if (pasted.isEmpty() && !hasSelectedText()) return;
  pasteHandler_(pasted);
  insert(pasted);
}

void InputBox::keyPressEvent(QKeyEvent* event) {
  if (pasteHandler_ && !isReadOnly() && event->matches(QKeySequence::Paste)) {
    pasteFrom(QClipboard::Clipboard);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void InputBox::mouseReleaseEvent(QMouseEvent* event) {
  if (pasteHandler_ && !isReadOnly() && event->button() == Qt::MiddleButton &&
      clipboard()->supportsSelection()) {
    deselect();
    pasteFrom(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void InputBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (pasteHandler_) {
    // The menu's Paste is the entry wired to paste(), by name.
    for (QAction* action : menu->actions()) {
      if (!disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) continue;
      action->setObjectName(QStringLiteral("edit-paste"));
      connect(action, &QAction::triggered, this, [this] { pasteFrom(QClipboard::Clipboard); });
    }
  }
  menu->popup(event->globalPos());
  event->accept();
}

void InputBox::dropEvent(QDropEvent* event) {
  if (pasteHandler_ && !isReadOnly() && event->mimeData()->hasText())
    pasteHandler_(event->mimeData()->text());
  QLineEdit::dropEvent(event);
}

}  // namespace pyrelon::qt
