// The atmosphere tools' windows show their chart: the document the chart
// module writes for the form's readings (the same bytes the command line
// saves and the page inlines), drawn through Qt SVG's image plugin, and
// saved as SVG and PNG.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "gui_support.h"
#include "qt/chart_view.h"
#include "qt/tool_window.h"
#include "shell/tools.h"

namespace pyrelon::testing {
namespace {

QByteArray goldenDocument(const QString& name) {
  QFile file(QStringLiteral(PYRELON_CHART_GOLDEN "/") + name + QStringLiteral(".svg"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ToolChartTest : public QObject {
  Q_OBJECT

 private:
  void fill(qt::ToolWindow* window, const QList<QPair<QString, QString>>& entries) {
    for (const auto& [key, text] : entries) {
      auto* box = window->findChild<QLineEdit*>(QString::fromUtf8(window->tool().id) + '-' + key);
      QVERIFY2(box, qPrintable(key));
      box->setText(text);
    }
  }

 private slots:
  void theChartIsTheGoldenDocument_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("golden");
    QTest::newRow("atmosphere at the published check point")
        << "atmosphere" << QStringList{"temp=925", "dew-point=-5.6", "mv=1138", "target-carbon=0.8"}
        << "atmosphere";
    QTest::newRow("nitriding potential, a 30 % burette at 500 °C")
        << "nitriding-potential" << QStringList{"temp=500", "burette=30"} << "nitriding_potential";
  }
  void theChartIsTheGoldenDocument() {
    QFETCH(QString, id);
    QFETCH(QStringList, entries);
    QFETCH(QString, golden);
    Started started;
    qt::ToolWindow* window = openTool(started, id.toUtf8().constData());
    QVERIFY(window);
    QList<QPair<QString, QString>> pairs;
    for (const QString& entry : entries)
      pairs << qMakePair(entry.section('=', 0, 0), entry.section('=', 1));
    fill(window, pairs);
    auto* view = window->findChild<qt::ChartView*>();
    QVERIFY(view);
    QCOMPARE(QByteArray::fromStdString(view->svg()), goldenDocument(golden));
  }

  // Drawn smaller than its own 720 by 840 px, the chart's 10 px texts would
  // shrink below 10 px: in a smaller window it scrolls instead, and in a
  // larger one it grows.
  void theChartIsNeverDrawnBelowItsOwnSize() {
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    fill(window, {{"temp", "925"}, {"dew-point", "-5.6"}});
    auto* view = window->findChild<qt::ChartView*>();
    auto* scroll = window->findChild<QScrollArea*>("atmosphere-chart-scroll");
    QVERIFY(view && scroll);
    // The smallest the window can be, and one with room to spare.
    for (const QSize size : {window->minimumSizeHint(), QSize(1800, 1000)}) {
      window->resize(size);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window));
      QCoreApplication::processEvents();
      QCOMPARE(window->size(), size);
      const bool small = size.height() < 840;
      QVERIFY2(view->width() >= 720 && view->height() >= 840,
               qPrintable(QStringLiteral("%1 x %2").arg(view->width()).arg(view->height())));
      QCOMPARE(scroll->verticalScrollBar()->isVisible(), small);
      QCOMPARE(scroll->horizontalScrollBar()->isVisible(), small);
    }
    // In the larger window the chart fills the height of its place and
    // stands in the middle of its width, on white.
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage chart = qt::renderSvg(view->svg(), view->size());
    QCOMPARE(chart.height(), view->height());
    const int left = (view->width() - chart.width()) / 2;
    QVERIFY(left > 0);
    const QImage middle = shown.copy(left, 0, chart.width(), chart.height());
    QCOMPARE(middle, chart.convertToFormat(QImage::Format_RGB32));
    for (const int x : {0, left - 1, left + chart.width(), view->width() - 1})
      for (int y = 0; y < view->height(); y += 50) QCOMPARE(shown.pixel(x, y), qRgb(255, 255, 255));
  }

  // A chart shown whole stays whole where the screen has room: typing the
  // readings widens the results' column, and the window grows instead of
  // the chart giving way.
  void theWindowMakesRoomForTheChart() {
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* view = window->findChild<qt::ChartView*>();
    auto* scroll = window->findChild<QScrollArea*>("atmosphere-chart-scroll");
    QVERIFY(view && scroll);
    const QSize room = window->screen()->availableGeometry().size() * 9 / 10;
    if (window->width() + 200 > room.width() || window->height() > room.height())
      QSKIP("the screen has no room to spare (run on the large screen)");
    const auto whole = [&] {
      return scroll->width() >= view->sizeHint().width() &&
             scroll->height() >= view->sizeHint().height();
    };
    QVERIFY(whole());
    const int before = window->width();
    fill(window, {{"temp", "925"}, {"dew-point", "-5.6"}, {"mv", "1138"}});
    QCoreApplication::processEvents();
    QVERIFY(window->width() > before);
    QVERIFY(whole());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
  }

  void theChartIsDrawnAndSaved() {
    QVERIFY2(QImageReader::supportedImageFormats().contains("svg"), "Qt SVG's image plugin");
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere");
    QVERIFY(window);
    fill(window, {{"temp", "925"}, {"dew-point", "-5.6"}});
    auto* view = window->findChild<qt::ChartView*>();
    QVERIFY(view);
    // Drawn: the document's white ground with dark ink on it.
    const QImage drawn = qt::renderSvg(view->svg(), {360, 420});
    QCOMPARE(drawn.size(), QSize(360, 420));
    int dark = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) dark += qGray(drawn.pixel(x, y)) < 100;
    QVERIFY2(dark > 1000, qPrintable(QString::number(dark)));

    QTemporaryDir folder;
    QString error;
    const QString svgPath = folder.filePath(QStringLiteral("chart.svg"));
    QVERIFY2(view->saveSvg(svgPath, &error), qPrintable(error));
    QFile saved(svgPath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray::fromStdString(view->svg()));
    const QString pngPath = folder.filePath(QStringLiteral("chart.png"));
    QVERIFY2(view->savePng(pngPath, 2, &error), qPrintable(error));
    const QImage png(pngPath);
    QCOMPARE(png.size(), QSize(1440, 1680));  // twice the document's 720 × 840
    // Nowhere to write: false and a reason, no crash.
    QVERIFY(!view->saveSvg(folder.filePath(QStringLiteral("no/such/folder.svg")), &error));
    QVERIFY(!error.isEmpty());

    // The chart follows the form: another temperature, another document.
    const std::string before = view->svg();
    fill(window, {{"temp", "950"}});
    QVERIFY(view->svg() != before);
    QVERIFY(view->svg().find("at 950 °C") != std::string::npos);
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ToolChartTest)
#include "tool_chart_test.moc"
