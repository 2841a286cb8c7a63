// The window under number settings with a decimal comma (run with the
// Italian locale): results show the comma and read back through it, while
// input boxes keep the point; a tool's chart writes its numbers with the
// comma too.
#include <QFile>
#include <QLocale>

#include "gui_support.h"
#include "qt/chart_view.h"

using namespace pyrelon::testing;

class CommaLocaleTest : public QObject {
  Q_OBJECT

 private slots:
  // Results show the comma; from Fahrenheit, Kelvin is computed from the
  // Celsius column as shown, read back through the comma.
  void temperatures() {
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
    Started s;
    const QStringList startUp{"Lab2=32,0", "Lab4=273,2", "Label12=491,7"};
    QCOMPARE(shown(s.window, startUp), startUp);
    QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);
    const QStringList fromFahrenheit{"Lab2=0,0", "Lab4=273,2", "Label12=491,7"};
    QCOMPARE(shown(s.window, fromFahrenheit), fromFahrenheit);
    QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
  }

  // A result the window showed with a comma, copied and pasted into a box,
  // is read only up to the comma, and the box says so.
  void pastedResultIsMarked() {
    Started s;
    auto* box = s.window.findChild<QLineEdit*>("DataText");
    box->selectAll();
    QTest::keyClicks(box, "850");
    QTest::keyClick(box, Qt::Key_Return);
    auto* kelvin = s.window.findChild<QLabel*>("Lab4");
    QCOMPARE(kelvin->text(), QStringLiteral("1123,2"));
    kelvin->setFocus();
    QTest::keyClick(kelvin, Qt::Key_C, Qt::ControlModifier);
    const QColor ink = box->palette().color(QPalette::Text);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("1123,2"));
    QCOMPARE(box->toolTip(), QStringLiteral("Read as \"1123\": the number ends before \",2\". "
                                            "Type a point as the decimal separator."));
    QVERIFY(box->palette().color(QPalette::Text) != ink);
    // Read as before: 1123 degrees Celsius is 2053.4 degrees Fahrenheit.
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(shown(s.window, {"Lab2"}), QStringList{"Lab2=2053,4"});
    // Typed with a point, it is read whole and the mark goes.
    box->selectAll();
    QTest::keyClicks(box, "1123.2");
    QCOMPARE(box->toolTip(), QString());
    QCOMPARE(box->palette().color(QPalette::Text), ink);
    QVERIFY(s.watcher.seen.isEmpty());
  }

  // The Lehrer diagram at 500 °C with a 30 % burette: the chart module's
  // golden document written with a decimal comma ("Kn 6,56", "0,1").
  void toolChartTakesTheComma() {
    Started s;
    pyrelon::qt::ToolWindow* window =
        openTool(s, "nitriding-potential", {"temp=500", "burette=30"});
    QVERIFY(window);
    QFile golden(QStringLiteral(PYRELON_CHART_GOLDEN "/nitriding_potential_comma.svg"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray::fromStdString(window->findChild<pyrelon::qt::ChartView*>()->svg()),
             golden.readAll());
  }
};

QTEST_MAIN(CommaLocaleTest)
#include "comma_locale_test.moc"
