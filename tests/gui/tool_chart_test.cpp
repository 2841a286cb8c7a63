// The atmosphere tools' windows show their chart: the document the chart
// module writes for the form's readings (the same bytes the command line
// saves and the page inlines), drawn through Qt SVG's image plugin. Saving
// it is chart_save_test's.
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "gui_support.h"
#include "qt/chart_view.h"

namespace pyrelon::testing {
namespace {

class ToolChartTest : public QObject {
  Q_OBJECT

 private slots:
  // Drawn smaller than its own 720 by 840 px, the chart's 10 px texts would
  // shrink below 10 px: in a smaller window it scrolls instead, and in a
  // larger one it grows.
  void theChartIsNeverDrawnBelowItsOwnSize() {
    Started started;
    qt::ToolWindow* window = openTool(started, "atmosphere", {"temp=925", "dew-point=-5.6"});
    QVERIFY(window && window->chartView());
    qt::ChartView* view = window->chartView();
    auto* scroll = window->findChild<QScrollArea*>("atmosphere-chart-scroll");
    QVERIFY(scroll);
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
    QVERIFY(window && window->chartView());
    qt::ChartView* view = window->chartView();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* scroll = window->findChild<QScrollArea*>("atmosphere-chart-scroll");
    QVERIFY(scroll);
    const QSize room = window->screen()->availableGeometry().size() * 9 / 10;
    if (window->width() + 200 > room.width() || window->height() > room.height())
      QSKIP("the screen has no room to spare (run on the large screen)");
    const auto whole = [&] {
      return scroll->width() >= view->sizeHint().width() &&
             scroll->height() >= view->sizeHint().height();
    };
    QVERIFY(whole());
    const int before = window->width();
    QVERIFY(openTool(started, "atmosphere", {"temp=925", "dew-point=-5.6", "mv=1138"}));
    QCoreApplication::processEvents();
    QVERIFY(window->width() > before);
    QVERIFY(whole());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
  }

  // At the published check point, the chart module's golden document (the
  // nitriding potential's, under a decimal comma, is comma_locale_test's).
  void theChartIsTheGoldenDocumentAndFollowsTheForm() {
    QVERIFY2(QImageReader::supportedImageFormats().contains("svg"), "Qt SVG's image plugin");
    Started started;
    qt::ToolWindow* window = openTool(
        started, "atmosphere", {"temp=925", "dew-point=-5.6", "mv=1138", "target-carbon=0.8"});
    QVERIFY(window && window->chartView());
    qt::ChartView* view = window->chartView();
    QFile golden(QStringLiteral(PYRELON_CHART_GOLDEN "/atmosphere.svg"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray::fromStdString(view->svg()), golden.readAll());
    // Drawn: the document's white ground with dark ink on it.
    const QImage drawn = qt::renderSvg(view->svg(), {360, 420});
    QCOMPARE(drawn.size(), QSize(360, 420));
    int dark = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) dark += qGray(drawn.pixel(x, y)) < 100;
    QVERIFY2(dark > 1000, qPrintable(QString::number(dark)));

    // Saved nowhere: false and a reason, no crash.
    QTemporaryDir folder;
    QString error;
    QVERIFY(!view->saveSvg(folder.filePath(QStringLiteral("no/such/folder.svg")), &error));
    QVERIFY(!error.isEmpty());

    // The chart follows the form: another temperature, another document.
    const std::string before = view->svg();
    QCOMPARE(openTool(started, "atmosphere", {"temp=950"}), window);
    QVERIFY(view->svg() != before);
    QVERIFY(view->svg().find("at 950 °C") != std::string::npos);
  }
};

}  // namespace
}  // namespace pyrelon::testing

QTEST_MAIN(pyrelon::testing::ToolChartTest)
#include "tool_chart_test.moc"
