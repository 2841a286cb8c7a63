// The real window, driven through real widgets, keys and mouse: start-up
// state, the controls' kinds, the key filter, the about box, Solve on each
// panel, event wiring, accessibility and ending the program. The
// calculators' arithmetic is tested without the window.
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "app/controls.h"
#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon;
using namespace pyrelon::testing;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpTexts() {
    Started s;
    const QStringList expected{
        // Lists on their first entries, the temperature panel's column
        // captions as start-up rewrites them, the input boxes' default texts.
        "GradiCmb=°Centigradi", "ProbeCmb=Accucarb", "FuelCmb=Metano", "PresCmb=bar",
        "FlowCmb=None", "OxygenCmb=Standard", "Lab1=°Fahrenheit", "Lab3=Kelvin",
        "Label6=°Rankine", "DataText=0", "HTxt=10", "NTxt=31.61", "MvZccTxt=1121",
        "TempTxt=830", "CoTxt=20", "MvZo2Txt=57.16", "MvOffTxt=8", "KOffTxt=0", "AirTxt=20",
        "FlueTXt=180", "PresText=1.013", "MvZrO2Txt=87.0", "TempZrO2Txt=1100",
        "BiasZrO2Txt=-3.0", "RefTempTxt=25.0", "RefPresTxt=2500", "FlowTxt=10.0",
        "FlowTempTxt=25.0", "FlowPresTxt=2500", "AtmPresTxt=1013"};
    QCOMPARE(shown(s.window, expected), expected);
    for (auto* list : s.window.findChildren<QComboBox*>()) {
      QCOMPARE(list->currentIndex(), 0);
      QVERIFY(!list->isEditable());  // the user can only pick an entry
    }
    // Written from code, a box's text shows from its start.
    for (auto* box : s.window.findChildren<QLineEdit*>()) QCOMPARE(box->cursorPosition(), 0);
    QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
  }

  void windowAndControls() {
    Started s;
    QCOMPARE(s.window.windowTitle(), QStringLiteral("The Pyrelon"));
    QCOMPARE(s.window.centralWidget()->size(), QSize(677, 477));
    QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
    auto* exitAction = s.window.findChild<QAction*>("ExitMenu");
    QVERIFY(exitAction && exitAction->menu() == nullptr);
    QCOMPARE(exitAction->text(), QStringLiteral("E&xit !"));
    QCOMPARE(s.window.menuBar()->actions(), QList<QAction*>{exitAction});
    using enum ControlKind;
    const std::map<ControlKind, const char*> builtAs{
        {Panel, "QGroupBox"}, {TextBox, "QLineEdit"}, {List, "QComboBox"}, {Button, "QPushButton"},
        {Label, "QLabel"}, {ResultLabel, "QLabel"}, {Line, "QWidget"}, {Picture, "QLabel"}};
    for (const auto& row : controlTable()) {
      const QString name = QString::fromUtf8(row.name);
      QWidget* widget = s.window.findChild<QWidget*>(name);
      QVERIFY2(widget && widget->inherits(builtAs.at(row.kind)), qPrintable(name));
      QWidget* panel = row.parent.empty()
                           ? s.window.centralWidget()
                           : s.window.findChild<QGroupBox*>(QString::fromUtf8(row.parent));
      QVERIFY2(widget->parentWidget() == panel, qPrintable(name));
    }
    QCOMPARE(s.window.findChild<QLineEdit*>("MvZccTxt")->toolTip(), "960 to 1340 mV");
  }

  // A key, or a text an input method commits (as a compose sequence or an
  // IME does), typed into a box.
  void keyFilter_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digit") << "HTxt" << "10" << int(Qt::Key_5) << "" << "105" << 0;
    QTest::newRow("point on whole number") << "HTxt" << "10" << int(Qt::Key_Period) << "" << "."
                                           << 1;
    QTest::newRow("letter after point") << "HTxt" << "31.61" << int(Qt::Key_A) << "" << "31.61a"
                                        << 0;
    QTest::newRow("backspace, whole number") << "NTxt" << "10" << int(Qt::Key_Backspace) << ""
                                             << "" << 1;
    // Were the filter to see it, it would beep and empty the box.
    QTest::newRow("arrow types nothing") << "HTxt" << "10" << int(Qt::Key_Left) << "" << "10" << 0;
    QTest::newRow("temperature box free") << "DataText" << "10" << int(Qt::Key_A) << "" << "10a"
                                          << 0;
    QTest::newRow("committed digit") << "NTxt" << "10" << 0 << "5" << "105" << 0;
    QTest::newRow("committed accented letter") << "HTxt" << "10" << 0 << "\u00e9" << "\u00e9" << 1;
  }

  void keyFilter() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(QString, committed);
    Started s;
    auto* edit = s.window.findChild<QLineEdit*>(box);
    edit->setText(before);  // the caret at the end
    QSignalSpy beeped(&s.window, &MainWindow::beeped);
    if (committed.isEmpty()) {
      QTest::keyClick(edit, Qt::Key(key));
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(committed);
      QApplication::sendEvent(edit, &commit);
    }
    QTEST(edit->text(), "after");
    QTEST(int(beeped.count()), "beeps");
  }

  void logoShowsAboutBox() {
    Started s;
    auto* logo = s.window.findChild<QLabel*>("Image1");
    QTest::mouseClick(logo, Qt::RightButton);
    QCOMPARE(s.watcher.seen.size(), 0);
    QTest::mouseClick(logo, Qt::LeftButton);
    QCOMPARE(s.watcher.seen.size(), 1);
    const SeenBox& box = s.watcher.seen.front();
    QCOMPARE(box.title, QStringLiteral("Info Box"));
    QCOMPARE(box.text, "The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n");
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::Ok);
    QCOMPARE(box.buttonCount, 1);
    QCOMPARE(box.textFormat, Qt::PlainText);
  }

  void solvePanel_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("typed");  // box=text, typed over the start-up text
    QTest::addColumn<QStringList>("shown");  // control=text after Solve
    QTest::addColumn<QStringList>("boxes");  // Info Boxes, cut to the length expected
    QTest::newRow("temperature") << "TempBtn" << QStringList{"DataText=100"}
                                 << QStringList{"Lab2=212.0", "Lab4=373.2", "Label12=671.7"}
                                 << QStringList{};
    QTest::newRow("pressure") << "PresBtn" << QStringList{"PresText=1"}
                              << QStringList{"Lab10=14.51", "Lab11=100.0", "Lab12=750.2",
                                             "Lab13=10215", "Lab14=1.02", "Lab20=1000"}
                              << QStringList{};
    QTest::newRow("nitriding") << "NkBtn" << QStringList{"HTxt=25", "NTxt=40"}
                               << QStringList{"NkLbl=3.20"} << QStringList{};
    QTest::newRow("carbon limits resetting the box")
        << "CarbonBtn" << QStringList{"MvZccTxt=5000"}
        << QStringList{"MvZccTxt=1121", "CarbonLbl=1.000"}
        << QStringList{"Info Box: The min mV probe value is 960 mV\n"};
    QTest::newRow("lambda") << "OxiBtn" << QStringList{"MvZo2Txt=0.01", "MvOffTxt=10"}
                            << QStringList{"WetLbl=23.2", "AirLbl=-10.146", "DryLbl=22.7",
                                           "Co2Lbl=-1.0", "NetLbl=149.8", "GrossLbl=169.0"}
                            << QStringList{};
    QTest::newRow("oxygen") << "OxygenBtn"
                            << QStringList{"MvZrO2Txt=-10", "BiasZrO2Txt=0", "TempZrO2Txt=700"}
                            << QStringList{"OxyLbl=33.76"} << QStringList{};
    QTest::newRow("flow") << "FlowBtn" << QStringList{"FlowTxt=12.50"}
                          << QStringList{"FlowLbl=12.5"} << QStringList{};
  }

  void solvePanel() {
    QFETCH(QString, button);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, boxes);
    Started s;
    for (const QString& entry : typed) {
      auto* edit = s.window.findChild<QLineEdit*>(entry.section('=', 0, 0));
      edit->selectAll();
      QTest::keyClicks(edit, entry.section('=', 1));
    }
    QTest::mouseClick(s.window.findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(testing::shown(s.window, shown), shown);
    QStringList seen;
    for (const SeenBox& b : s.watcher.seen)
      seen << (b.title + ": " + b.text).left(boxes.value(seen.size()).size());
    QCOMPARE(seen, boxes);
  }

  void selectionRunsHandlerOnce() {
    Started s;
    QSignalSpy ran(&s.window, &MainWindow::handlerRan);
    s.window.setSelectedIndex("GradiCmb", 1);  // from code
    QCOMPARE(ran.count(), 1);
    QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);  // by the user
    QCOMPARE(ran.count(), 2);
    QCOMPARE(s.window.selectedIndex("GradiCmb"), 2);
    QCOMPARE(ran.back().front().toString(), QStringLiteral("GradiCmb"));
  }

  void tabOrderAndNamesOfOnePanel() {
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    const QStringList expected{
        "RefTempTxt = Mass Flow Compensation for Orifice: Ref. Temp (°C)",
        "RefPresTxt = Mass Flow Compensation for Orifice: Ref. Press (mbar)",
        "AtmPresTxt = Mass Flow Compensation for Orifice: Atm. Press (mbar)",
        "FlowTxt = Mass Flow Compensation for Orifice: Flow",
        "FlowTempTxt = Mass Flow Compensation for Orifice: Temp (°C)",
        "FlowPresTxt = Mass Flow Compensation for Orifice: Press (mbar)",
        "FlowCmb = Mass Flow Compensation for Orifice: Compensation Type",
        "FlowBtn = Solve, Mass Flow Compensation for Orifice",
        "FlowLbl = Mass Flow Compensation for Orifice: Compensed Flow"};
    s.window.findChild<QWidget*>("RefTempTxt")->setFocus(Qt::TabFocusReason);
    QStringList visited;
    while (visited.size() < expected.size()) {
      QWidget* focus = QApplication::focusWidget();
      visited << focus->objectName() + " = " + focus->accessibleName();
      QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
  }

  void resultLabelsCopyButNeverEdit() {
    Started s;
    auto* label = s.window.findChild<QLabel*>("CarbonLbl");
    const QString before = label->text();
    // Typing over the selected value changes nothing; the value is what gets copied.
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    for (Qt::Key key : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete}) QTest::keyClick(label, key);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), before);
  }

  void ending_data() {
    QTest::addColumn<int>("way");  // the menu entry, its access key Alt+X, the frame's close
    QTest::newRow("Exit chosen") << 0;
    QTest::newRow("Exit by its access key") << 1;
    QTest::newRow("window closed") << 2;
  }

  void ending() {
    QFETCH(int, way);
    Started s;
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QTimer::singleShot(0, &s.window, [&s, way] {
      if (way == 0) s.window.findChild<QAction*>("ExitMenu")->trigger();
      if (way == 1) QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
      if (way == 2) s.window.close();
    });
    QTimer::singleShot(5000, &s.window, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!s.window.isVisible());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
