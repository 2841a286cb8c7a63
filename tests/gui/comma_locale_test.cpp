// The window under number settings with a decimal comma (run with the
// Italian locale): results show the comma and read back through it, while
// input boxes and tooltips keep the point.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "app/controls.h"
#include "app/qt/main_window.h"
#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon;
using namespace pyrelon::testing;

namespace {

struct Started {
  Started() { window.show(); }
  InfoBoxWatcher watcher;
  MainWindow window;
};

}  // namespace

class CommaLocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void settingsComeFromTheSystem();
  void startUpResultsShowTheComma();
  void readBackThroughTheComma_data();
  void readBackThroughTheComma();
  void inputsAreReadWithThePoint_data();
  void inputsAreReadWithThePoint();
  void tooltipsKeepThePoint();
};

void CommaLocaleTest::settingsComeFromTheSystem() {
  QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
  Started s;
  const NumberSettings settings = s.window.numberSettings();
  QCOMPARE(settings.decimalSeparator, ",");
  QCOMPARE(settings.groupSeparator, ".");
}

void CommaLocaleTest::startUpResultsShowTheComma() {
  Started s;
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::ResultLabel) continue;
    const QString caption = QString::fromStdString(s.window.caption(spec.name));
    QVERIFY2(!caption.isEmpty(), spec.name.data());
    QVERIFY2(!caption.contains(QLatin1Char('.')), qPrintable(caption));
  }
  QCOMPARE(s.window.caption("Lab4"), "273,2");
  QVERIFY(s.watcher.seen.isEmpty());
}

void CommaLocaleTest::readBackThroughTheComma_data() {
  QTest::addColumn<int>("entry");
  QTest::addColumn<QStringList>("columns");  // Lab2, Lab4, Label12
  // From Fahrenheit, Kelvin is computed from the Celsius column as shown;
  // from Kelvin, Fahrenheit from the Celsius column.
  QTest::newRow("Fahrenheit") << 1 << QStringList{"0,0", "273,2", "491,7"};
  QTest::newRow("Kelvin") << 2 << QStringList{"32,0", "0,0", "491,7"};
}

void CommaLocaleTest::readBackThroughTheComma() {
  QFETCH(int, entry);
  QFETCH(QStringList, columns);
  Started s;
  auto* units = s.window.findChild<QComboBox*>("GradiCmb");
  for (int i = 0; i < entry; ++i) QTest::keyClick(units, Qt::Key_Down);
  QCOMPARE(units->currentIndex(), entry);
  const QStringList shown{QString::fromStdString(s.window.caption("Lab2")),
                          QString::fromStdString(s.window.caption("Lab4")),
                          QString::fromStdString(s.window.caption("Label12"))};
  QCOMPARE(shown, columns);
  QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
}

void CommaLocaleTest::inputsAreReadWithThePoint_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("fahrenheit");
  QTest::newRow("point") << "21.9" << "71,4";
  QTest::newRow("comma ends the number") << "21,9" << "69,8";
}

void CommaLocaleTest::inputsAreReadWithThePoint() {
  QFETCH(QString, input);
  QFETCH(QString, fahrenheit);
  Started s;
  auto* box = s.window.findChild<QLineEdit*>("DataText");
  box->selectAll();
  QTest::keyClicks(box, input);
  QCOMPARE(box->text(), input);
  QTest::mouseClick(s.window.findChild<QPushButton*>("TempBtn"), Qt::LeftButton);
  QCOMPARE(QString::fromStdString(s.window.caption("Lab2")), fahrenheit);
}

void CommaLocaleTest::tooltipsKeepThePoint() {
  Started s;
  QCOMPARE(s.window.findChild<QLineEdit*>("MvZo2Txt")->toolTip(), QStringLiteral("0.01 to 300 mV"));
}

QTEST_MAIN(CommaLocaleTest)
#include "comma_locale_test.moc"
