// What the calculators show through the real window, panel by panel: the
// start-up results, a source-unit choice, a limits box and the limit
// tooltips. The calculators' arithmetic is tested without the window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

QString caption(const MainWindow& window, const char* label) {
  return QString::fromStdString(window.caption(label));
}

}  // namespace

class ResultsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPanelSolvedAtStartUp();
  void pressureUnitChoiceRelabelsColumns();
  void carbonLimitsBoxResetsTheFailingInput();
  void nitridingTypedThenSolved();
  void limitTooltips_data();
  void limitTooltips();
};

void ResultsTest::everyPanelSolvedAtStartUp() {
  Started s;
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind == ControlKind::ResultLabel)
      QVERIFY2(!s.window.caption(spec.name).empty(), spec.name.data());
  }
  QCOMPARE(caption(s.window, "Lab1"), QString::fromUtf8("\u00b0Fahrenheit"));
  QCOMPARE(caption(s.window, "Lab3"), QStringLiteral("Kelvin"));
  QCOMPARE(caption(s.window, "Label6"), QString::fromUtf8("\u00b0Rankine"));
  QCOMPARE(caption(s.window, "Lab4"), QStringLiteral("273.2"));
  // The pressure preset was overwritten by the default text.
  QCOMPARE(s.window.text("PresText"), "1.013");
  QVERIFY(s.watcher.seen.isEmpty());
}

void ResultsTest::pressureUnitChoiceRelabelsColumns() {
  Started s;
  auto* units = s.window.findChild<QComboBox*>("PresCmb");
  QTest::keyClick(units, Qt::Key_Down);  // mbar
  QCOMPARE(units->currentText(), QStringLiteral("mbar"));
  QCOMPARE(caption(s.window, "Lab21"), QStringLiteral("bar"));
  QCOMPARE(s.window.text("PresText"), "1000");
  QCOMPARE(caption(s.window, "Lab20"), QStringLiteral("1.00"));
  QCOMPARE(s.window.findChild<QLabel*>("Lab20")->accessibleName(),
           QStringLiteral("Pressure Conversion: bar"));
}

void ResultsTest::carbonLimitsBoxResetsTheFailingInput() {
  Started s;
  const QString before = caption(s.window, "CarbonLbl");
  auto* probe = s.window.findChild<QLineEdit*>("MvZccTxt");
  probe->selectAll();
  QTest::keyClicks(probe, "5000");
  QTest::mouseClick(s.window.findChild<QPushButton*>("CarbonBtn"), Qt::LeftButton);

  QCOMPARE(s.watcher.seen.size(), 1);
  QCOMPARE(s.watcher.seen.front().title, QStringLiteral("Info Box"));
  QVERIFY(s.watcher.seen.front().text.startsWith("The min mV probe value is 960 mV\n"));
  QCOMPARE(probe->text(), QStringLiteral("1121"));
  QCOMPARE(caption(s.window, "CarbonLbl"), before);
}

void ResultsTest::nitridingTypedThenSolved() {
  Started s;
  auto* hydrogen = s.window.findChild<QLineEdit*>("HTxt");
  hydrogen->setFocus();
  hydrogen->selectAll();
  // "2" replaces the selection; "." on the whole number "2" empties the box.
  QTest::keyClicks(hydrogen, "2.5");
  QCOMPARE(hydrogen->text(), QStringLiteral(".5"));
  QTest::mouseClick(s.window.findChild<QPushButton*>("NkBtn"), Qt::LeftButton);
  // 0.5 % lies below the 1 % limit: the box is put back to its default.
  QCOMPARE(s.watcher.seen.size(), 1);
  QCOMPARE(hydrogen->text(), QStringLiteral("10"));
}

void ResultsTest::limitTooltips_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("tooltip");
  QTest::newRow("carbon probe") << "MvZccTxt" << "960 to 1340 mV";
  QTest::newRow("degrees") << "TempTxt" << QString::fromUtf8("650 to 1300 \u00b0C");
  QTest::newRow("fraction") << "MvZo2Txt" << "0.01 to 300 mV";
  QTest::newRow("negative") << "MvZrO2Txt" << "-10 to 300 mV";
  QTest::newRow("percent") << "HTxt" << "1 to 100 %";
  QTest::newRow("no limits") << "DataText" << "";
  QTest::newRow("flow has no limits") << "FlowTxt" << "";
}

void ResultsTest::limitTooltips() {
  QFETCH(QString, box);
  QFETCH(QString, tooltip);
  Started s;
  QCOMPARE(s.window.findChild<QLineEdit*>(box)->toolTip(), tooltip);
}

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
