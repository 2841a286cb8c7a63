// A tool's chart in its window: the SVG document the chart module writes,
// the same bytes the command line saves and the page inlines, drawn by Qt
// SVG's image plugin at the widget's size and the screen's density, and
// saved as SVG or PNG. The plugin (and Qt SVG with it) loads when the
// first chart is drawn, not when the program starts.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <string>

namespace pyrelon::qt {

// Draws an SVG document at `size` device pixels, keeping its aspect ratio
// inside that size; a null image when the document cannot be read (or the
// image plugin is missing).
QImage renderSvg(const std::string& svg, QSize size);

// The document's own size in pixels, from its width and height; empty when
// it cannot be read.
QSize svgSize(const std::string& svg);

class ChartView final : public QWidget {
  Q_OBJECT

 public:
  // `name` is the chart's accessible name ("Atmosphere chart").
  ChartView(const QString& name, QWidget* parent);

  // Shows a new document; the same text again draws nothing new.
  void setSvg(std::string svg);
  const std::string& svg() const { return svg_; }

  // Writes the document as it is, or as a PNG at `scale` times its own
  // size; false (with the reason in `error`) when the file cannot be written.
  bool saveSvg(const QString& path, QString* error) const;
  bool savePng(const QString& path, int scale, QString* error) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::string svg_;
  QSize natural_;  // the document's own size
  QImage drawn_;   // svg_ at the last size painted, in device pixels
  QSize drawnFor_;
};

}  // namespace pyrelon::qt
