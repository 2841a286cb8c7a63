// Each panel through the real window: values typed into its boxes, Solve
// clicked, then its results and its Info Box. The calculators' arithmetic is
// tested without the window.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui_support.h"

using namespace pyrelon::testing;

class ResultsTest : public QObject {
  Q_OBJECT

 private slots:
  void solvePanel_data();
  void solvePanel();
};

void ResultsTest::solvePanel_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QStringList>("typed");  // box=text, typed over the start-up text
  QTest::addColumn<QStringList>("shown");  // control=text after Solve
  QTest::addColumn<QString>("box");        // how the Info Box begins; empty: no box
  QTest::newRow("temperature")
      << "TempBtn" << QStringList{"DataText=100"}
      << QStringList{"Lab2=212.0", "Lab4=373.2", "Label12=671.7"} << "";
  QTest::newRow("pressure")
      << "PresBtn" << QStringList{"PresText=1"}
      << QStringList{"Lab10=14.51", "Lab11=100.0", "Lab12=750.2", "Lab13=10215", "Lab14=1.02",
                     "Lab20=1000"}
      << "";
  QTest::newRow("nitriding") << "NkBtn" << QStringList{"HTxt=25", "NTxt=40"}
                             << QStringList{"NkLbl=3.20"} << "";
  QTest::newRow("carbon limits resetting the box")
      << "CarbonBtn" << QStringList{"MvZccTxt=5000"}
      << QStringList{"MvZccTxt=1121", "CarbonLbl=1.000"} << "The min mV probe value is 960 mV\n";
  QTest::newRow("lambda")
      << "OxiBtn" << QStringList{"MvZo2Txt=0.01", "MvOffTxt=10"}
      << QStringList{"WetLbl=23.2", "AirLbl=-10.146", "DryLbl=22.7", "Co2Lbl=-1.0",
                     "NetLbl=149.8", "GrossLbl=169.0"}
      << "";
  QTest::newRow("oxygen") << "OxygenBtn"
                          << QStringList{"MvZrO2Txt=-10", "BiasZrO2Txt=0", "TempZrO2Txt=700"}
                          << QStringList{"OxyLbl=33.76"} << "";
  QTest::newRow("flow") << "FlowBtn" << QStringList{"FlowTxt=12.50"}
                        << QStringList{"FlowLbl=12.5"} << "";
}

void ResultsTest::solvePanel() {
  QFETCH(QString, button);
  QFETCH(QStringList, typed);
  QFETCH(QStringList, shown);
  QFETCH(QString, box);
  Started s;
  for (const QString& entry : typed) {
    auto* edit = s.window.findChild<QLineEdit*>(entry.section('=', 0, 0));
    edit->selectAll();
    QTest::keyClicks(edit, entry.section('=', 1));
  }
  QTest::mouseClick(s.window.findChild<QPushButton*>(button), Qt::LeftButton);

  QStringList actual;
  for (const QString& entry : shown) {
    QWidget* widget = s.window.findChild<QWidget*>(entry.section('=', 0, 0));
    auto* edit = qobject_cast<QLineEdit*>(widget);
    actual << widget->objectName() + '=' +
                  (edit ? edit->text() : qobject_cast<QLabel*>(widget)->text());
  }
  QCOMPARE(actual, shown);
  // The boxes shown, each cut to the length of the expected beginning.
  QStringList boxes;
  for (const SeenBox& b : s.watcher.seen) boxes << b.title + ": " + b.text.left(box.size());
  QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{"Info Box: " + box});
}

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
