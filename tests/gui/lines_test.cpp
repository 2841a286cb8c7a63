// The window's drawn lines: each lies within its own widget, from end to
// end where the design puts it, and is painted along its whole length.
#include <QImage>

#include "gui_support.h"
#include "qt/widgets.h"

namespace pyrelon::testing {
namespace {

class LinesTest : public QObject {
  Q_OBJECT

 private slots:
  void eachLineIsPaintedWhereItStands() {
    Started started;
    // Not a QObject type of its own: found among the widgets by its C++ type.
    QList<qt::LineWidget*> lines;
    for (QWidget* widget : started.window.findChildren<QWidget*>()) {
      if (auto* line = dynamic_cast<qt::LineWidget*>(widget)) lines << line;
    }
    QVERIFY(!lines.isEmpty());
    for (qt::LineWidget* line : lines) {
      const QRectF inside = QRectF(line->rect());
      const QString name = QStringLiteral("line at ") + QString::number(line->geometry().x()) +
                           ',' + QString::number(line->geometry().y());
      QVERIFY2(inside.contains(line->from()), qPrintable(name));
      QVERIFY2(inside.contains(line->to()), qPrintable(name));
      // Painted on a clear ground: a quarter, the middle and three quarters
      // along the line carry ink.
      QImage image(line->size(), QImage::Format_ARGB32);
      image.fill(Qt::transparent);
      line->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
      for (const double t : {0.25, 0.5, 0.75}) {
        const QPointF at = line->from() + t * (line->to() - line->from());
        const QPoint pixel(static_cast<int>(at.x()), static_cast<int>(at.y()));
        QVERIFY2(qAlpha(image.pixel(pixel)) > 0,
                 qPrintable(name + QStringLiteral(" at ") + QString::number(t)));
      }
    }
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::LinesTest)
#include "lines_test.moc"
