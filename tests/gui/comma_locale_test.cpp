// The window under number settings with a decimal comma (run with the
// Italian locale): results show the comma and read back through it, while
// input boxes and tooltips keep the point.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"

using namespace pyrelon::testing;

class CommaLocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheComma();
  void temperatures_data();
  void temperatures();
};

void CommaLocaleTest::startUpShowsTheComma() {
  QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
  Started s;
  QCOMPARE(s.window.caption("Lab4"), "273,2");
  QCOMPARE(s.window.findChild<QLineEdit*>("MvZo2Txt")->toolTip(), QStringLiteral("0.01 to 300 mV"));
  QVERIFY(s.watcher.seen.isEmpty());
}

void CommaLocaleTest::temperatures_data() {
  QTest::addColumn<int>("unit");      // entries chosen down from Centigradi
  QTest::addColumn<QString>("typed");  // then typed into the input box and solved
  QTest::addColumn<QStringList>("columns");  // Lab2, Lab4, Label12
  // From Fahrenheit, Kelvin is computed from the Celsius column as shown;
  // from Kelvin, Fahrenheit from the Celsius column.
  QTest::newRow("Fahrenheit read back") << 1 << "" << QStringList{"0,0", "273,2", "491,7"};
  QTest::newRow("Kelvin read back") << 2 << "" << QStringList{"32,0", "0,0", "491,7"};
  QTest::newRow("point read") << 0 << "21.9" << QStringList{"71,4", "295,1", "531,1"};
  QTest::newRow("comma ends the number") << 0 << "21,9" << QStringList{"69,8", "294,2", "529,5"};
}

void CommaLocaleTest::temperatures() {
  QFETCH(int, unit);
  QFETCH(QString, typed);
  QFETCH(QStringList, columns);
  Started s;
  while (unit-- > 0) QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);
  if (!typed.isEmpty()) {
    auto* box = s.window.findChild<QLineEdit*>("DataText");
    box->selectAll();
    QTest::keyClicks(box, typed);
    QTest::mouseClick(s.window.findChild<QPushButton*>("TempBtn"), Qt::LeftButton);
  }
  const QStringList shown{s.window.findChild<QLabel*>("Lab2")->text(),
                          s.window.findChild<QLabel*>("Lab4")->text(),
                          s.window.findChild<QLabel*>("Label12")->text()};
  QCOMPARE(shown, columns);
  QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
}

QTEST_MAIN(CommaLocaleTest)
#include "comma_locale_test.moc"
