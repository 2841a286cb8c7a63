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
  void temperatures_data() {
    QTest::addColumn<int>("unit");       // entries chosen down from Centigradi
    QTest::addColumn<QString>("typed");  // then typed into the input box and solved
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("start-up") << 0 << "" << QStringList{"Lab2=32,0", "Lab4=273,2", "Label12=491,7"};
    // From Fahrenheit, Kelvin is computed from the Celsius column as shown.
    QTest::newRow("Fahrenheit read back")
        << 1 << "" << QStringList{"Lab2=0,0", "Lab4=273,2", "Label12=491,7"};
    // Typed input is read by the Val rule whatever the locale.
    QTest::newRow("comma ends the number")
        << 0 << "21,9" << QStringList{"Lab2=69,8", "Lab4=294,2", "Label12=529,5"};
  }

  void temperatures() {
    QFETCH(int, unit);
    QFETCH(QString, typed);
    QFETCH(QStringList, columns);
    QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
    Started s;
    while (unit-- > 0) QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);
    if (!typed.isEmpty()) {
      auto* box = s.window.findChild<QLineEdit*>("DataText");
      box->selectAll();
      QTest::keyClicks(box, typed);
      QTest::mouseClick(s.window.findChild<QPushButton*>("TempBtn"), Qt::LeftButton);
    }
    QCOMPARE(shown(s.window, columns), columns);
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
    pyrelon::qt::ToolWindow* window = openTool(s, "nitriding-potential");
    QVERIFY(window);
    window->findChild<QLineEdit*>("nitriding-potential-temp")->setText("500");
    window->findChild<QLineEdit*>("nitriding-potential-burette")->setText("30");
    QFile golden(QStringLiteral(PYRELON_CHART_GOLDEN "/nitriding_potential_comma.svg"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(QByteArray::fromStdString(window->findChild<pyrelon::qt::ChartView*>()->svg()),
             golden.readAll());
  }
};

QTEST_MAIN(CommaLocaleTest)
#include "comma_locale_test.moc"
