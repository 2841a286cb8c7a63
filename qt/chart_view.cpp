#include "qt/chart_view.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace pyrelon::qt {

QImage renderSvg(const std::string& svg, QSize size) {
  if (svg.empty() || size.isEmpty()) return {};
  QByteArray bytes(svg.data(), static_cast<qsizetype>(svg.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "svg");
  const QSize own = reader.size();
  if (!own.isValid() || own.isEmpty()) return {};
  reader.setScaledSize(own.scaled(size, Qt::KeepAspectRatio));
  reader.setBackgroundColor(Qt::white);
  return reader.read();
}

QSize svgSize(const std::string& svg) {
  QByteArray bytes(svg.data(), static_cast<qsizetype>(svg.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "svg");
  return reader.size();
}

ChartView::ChartView(const QString& name, QWidget* parent) : QWidget(parent) {
  setAccessibleName(name);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setSvg(std::string svg) {
  if (svg == svg_) return;
  svg_ = std::move(svg);
  // The document's own size is the size the view asks for: there its text
  // stands at the sizes the chart module chose.
  const QSize own = svgSize(svg_);
  if (own.isValid() && own != natural_) {
    natural_ = own;
    updateGeometry();
  }
  drawn_ = QImage();
  drawnFor_ = QSize();
  update();
}

QSize ChartView::sizeHint() const { return natural_.isValid() ? natural_ : QSize(540, 630); }
// Never smaller than the document's own size: smaller, its 10 px texts
// would be drawn below 10 px. Where the window is smaller, the chart scrolls.
QSize ChartView::minimumSizeHint() const { return natural_.isValid() ? natural_ : QSize(360, 270); }

void ChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const qreal ratio = devicePixelRatioF();
  const QSize device = size() * ratio;
  if (drawnFor_ != device) {
    drawn_ = renderSvg(svg_, device);
    drawn_.setDevicePixelRatio(ratio);
    drawnFor_ = device;
  }
  if (drawn_.isNull()) return;
  const QSizeF shown = QSizeF(drawn_.size()) / ratio;
  painter.drawImage(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                    drawn_);
}

bool ChartView::saveSvg(const QString& path, QString* error) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(svg_.data(), static_cast<qint64>(svg_.size())) !=
          static_cast<qint64>(svg_.size()) ||
      !file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

bool ChartView::savePng(const QString& path, int scale, QString* error) const {
  const QImage image = renderSvg(svg_, svgSize(svg_) * scale);
  if (image.isNull()) {
    if (error != nullptr) *error = QStringLiteral("the chart could not be drawn");
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    if (error != nullptr) *error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace pyrelon::qt
