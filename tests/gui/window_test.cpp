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
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "gui_support.h"
#include "shell/controls.h"

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
        "GradiCmb=°Centigradi", "ProbeCmb=Accucarb",  "FuelCmb=Metano",   "PresCmb=bar",
        "FlowCmb=None",         "OxygenCmb=Standard", "Lab1=°Fahrenheit", "Lab3=Kelvin",
        "Label6=°Rankine",      "DataText=0",         "HTxt=10",          "NTxt=31.61",
        "MvZccTxt=1121",        "TempTxt=830",        "CoTxt=20",         "MvZo2Txt=57.16",
        "MvOffTxt=8",           "KOffTxt=0",          "AirTxt=20",        "FlueTXt=180",
        "PresText=1.013",       "MvZrO2Txt=87.0",     "TempZrO2Txt=1100", "BiasZrO2Txt=-3.0",
        "RefTempTxt=25.0",      "RefPresTxt=2500",    "FlowTxt=10.0",     "FlowTempTxt=25.0",
        "FlowPresTxt=2500",     "AtmPresTxt=1013"};
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
    // Exit is a command of the menu bar itself, its first (the menus' order
    // is help_screen_test's).
    auto* exitAction = s.window.findChild<QAction*>("ExitMenu");
    QVERIFY(exitAction && exitAction->menu() == nullptr);
    QCOMPARE(s.window.menuBar()->actions().value(0), exitAction);
    using enum ControlKind;
    const std::map<ControlKind, const char*> builtAs{
        {Panel, "QGroupBox"}, {TextBox, "QLineEdit"},  {List, "QComboBox"}, {Button, "QPushButton"},
        {Label, "QLabel"},    {ResultLabel, "QLabel"}, {Line, "QWidget"},   {Picture, "QLabel"}};
    for (const auto& row : controlTable()) {
      const QString name = QString::fromUtf8(row.name);
      QWidget* widget = s.window.findChild<QWidget*>(name);
      QVERIFY2(widget && widget->inherits(builtAs.at(row.kind)), qPrintable(name));
      QWidget* panel = row.parent.empty()
                           ? s.window.centralWidget()
                           : s.window.findChild<QGroupBox*>(QString::fromUtf8(row.parent));
      QVERIFY2(widget->parentWidget() == panel, qPrintable(name));
    }
  }

  // Every object name once, typed here: they are the contract with tests
  // and accessibility tools. "Kind: names" per kind of widget.
  void everyObjectName() {
    Started s;
    const std::map<QString, QString> expected{
        {"QGroupBox", "Frame1 Frame2 Frame3 Frame4 Frame5 Frame6 Frame7"},
        {"QLineEdit",
         "AirTxt AtmPresTxt BiasZrO2Txt CoTxt DataText FlowPresTxt FlowTempTxt FlowTxt FlueTXt "
         "HTxt KOffTxt MvOffTxt MvZccTxt MvZo2Txt MvZrO2Txt NTxt PresText RefPresTxt RefTempTxt "
         "TempTxt TempZrO2Txt"},
        {"QComboBox", "FlowCmb FuelCmb GradiCmb OxygenCmb PresCmb ProbeCmb"},
        {"QPushButton", "CarbonBtn FlowBtn NkBtn OxiBtn OxygenBtn PresBtn TempBtn"},
        {"result",
         "AirLbl CarbonLbl Co2Lbl DryLbl FlowLbl GrossLbl Lab10 Lab11 Lab12 Lab13 Lab14 Lab2 "
         "Lab20 Lab4 Label12 NetLbl NkLbl OxyLbl WetLbl"},
        {"caption",
         "Lab1 Lab15 Lab16 Lab17 Lab18 Lab19 Lab21 Lab3 Lab6 Lab7 Label1 Label10 Label11 "
         "Label13 Label14 Label15 Label16 Label17 Label18 Label19 Label2 Label20 Label21 "
         "Label22 Label23 Label24 Label25 Label26 Label27 Label28 Label29 Label3 Label30 "
         "Label31 Label32 Label33 Label34 Label35 Label36 Label37 Label38 Label39 Label4 "
         "Label40 Label41 Label42 Label48 Label5 Label50 Label52 Label6 Label7 Label8 Label9"},
        {"line", "Line1 Line13 Line14 Line15 Line16 Line28 Line29"},
        {"picture", "Image1"},
    };
    std::map<QString, QStringList> found;
    for (QWidget* w : s.window.centralWidget()->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
      QString kind;
      if (auto* label = qobject_cast<QLabel*>(w)) {
        kind = label->objectName() == "Image1"                             ? "picture"
               : label->textInteractionFlags() & Qt::TextSelectableByMouse ? "result"
                                                                           : "caption";
      } else if (w->inherits("QGroupBox") || w->inherits("QLineEdit") || w->inherits("QComboBox") ||
                 w->inherits("QPushButton")) {
        kind = w->metaObject()->className();
      } else {
        kind = "line";
      }
      found[kind] << w->objectName();
    }
    for (const auto& [kind, names] : expected) {
      QStringList got = found[kind];
      got.sort();
      QCOMPARE(got.join(' '), names);
    }
  }

  // Each box with limits shows them as its tooltip; the others have none.
  void tooltips() {
    Started s;
    const std::map<QString, QString> expected{
        {"HTxt", "1 to 100 %"},         {"NTxt", "5 to 100 %"},
        {"MvZccTxt", "960 to 1340 mV"}, {"TempTxt", "650 to 1300 °C"},
        {"CoTxt", "2 to 37 %"},         {"MvZo2Txt", "0.01 to 300 mV"},
        {"MvOffTxt", "-10 to 10 mV"},   {"KOffTxt", "-200 to 200 K"},
        {"AirTxt", "-50 to 200 °C"},    {"FlueTXt", "0 to 800 °C"},
        {"MvZrO2Txt", "-10 to 300 mV"},
    };
    for (auto* box : s.window.findChildren<QLineEdit*>()) {
      const auto it = expected.find(box->objectName());
      QCOMPARE(box->toolTip(), it == expected.end() ? QString() : it->second);
    }
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
    // clang-format off
    const struct { const char *name, *box, *before; int key; const char *committed, *after; int beeps; } rows[] = {
        {"digit", "HTxt", "10", Qt::Key_5, "", "105", 0},
        {"point on whole number", "HTxt", "10", Qt::Key_Period, "", ".", 1},
        // Were the filter to see it, it would beep and empty the box.
        {"arrow types nothing", "HTxt", "10", Qt::Key_Left, "", "10", 0},
        {"temperature box free", "DataText", "10", Qt::Key_A, "", "10a", 0},
        {"committed digit", "NTxt", "10", 0, "5", "105", 0},
        {"committed accented letter", "HTxt", "10", 0, "\u00e9", "\u00e9", 1},
        // A real Delete carries the text "\x7f"; it deletes and never reaches
        // the filter (the caret stands before the last character).
        {"delete", "HTxt", "10", Qt::Key_Delete, "", "1", 0},
    };
    // clang-format on
    for (const auto& r : rows)
      QTest::newRow(r.name) << QString(r.box) << QString(r.before) << r.key
                            << QString::fromUtf8(r.committed) << QString::fromUtf8(r.after)
                            << r.beeps;
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
    if (key == Qt::Key_Delete) {
      edit->setCursorPosition(1);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
      QApplication::sendEvent(edit, &press);
      QApplication::sendEvent(edit, &release);
    } else if (committed.isEmpty()) {
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

  // Each Solve button runs its own panel: every result label of the panel,
  // made stale, shows a value again. What the values are is the calculators'
  // business, tested without the window.
  void solveButtonsSolveTheirPanels() {
    Started s;
    for (const ControlSpec& button : controlTable()) {
      if (button.kind != ControlKind::Button) continue;
      const QStringList stale = makeResultsStale(s.window, button.parent);
      QTest::mouseClick(s.window.findChild<QPushButton*>(QString::fromUtf8(button.name)),
                        Qt::LeftButton);
      for (const QString& label : shown(s.window, stale))
        QVERIFY2(!label.endsWith("=stale") && !label.endsWith('='), qPrintable(label));
    }
    QVERIFY(s.watcher.seen.isEmpty());
  }

  // Typed by the user, a reading past its limits brings the limits box, and
  // the box is put back to its start-up text.
  void limitsBoxAndReset() {
    Started s;
    auto* edit = s.window.findChild<QLineEdit*>("MvZccTxt");
    edit->selectAll();
    QTest::keyClicks(edit, "5000");
    QTest::mouseClick(s.window.findChild<QPushButton*>("CarbonBtn"), Qt::LeftButton);
    QCOMPARE(shown(s.window, {"MvZccTxt", "CarbonLbl"}),
             (QStringList{"MvZccTxt=1121", "CarbonLbl=1.000"}));
    QCOMPARE(s.watcher.seen.size(), 1);
    QCOMPARE(s.watcher.seen.front().title + ": " + s.watcher.seen.front().text.section('\n', 0, 0),
             QStringLiteral("Info Box: The min mV probe value is 960 mV"));
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
    const QStringList expected{"RefTempTxt = Mass Flow Compensation for Orifice: Ref. Temp (°C)",
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
