// The real window, driven through real widgets and key and mouse events:
// start-up state, the kinds of the controls, the key filter, the about box,
// event wiring, accessibility and ending the program.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
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

namespace {

// What a control of each kind is built as.
const std::map<ControlKind, const QMetaObject*> kBuiltAs{
    {ControlKind::Panel, &QGroupBox::staticMetaObject},
    {ControlKind::TextBox, &QLineEdit::staticMetaObject},
    {ControlKind::List, &QComboBox::staticMetaObject},
    {ControlKind::Button, &QPushButton::staticMetaObject},
    {ControlKind::Label, &QLabel::staticMetaObject},
    {ControlKind::ResultLabel, &QLabel::staticMetaObject},
    {ControlKind::Line, &QWidget::staticMetaObject},
    {ControlKind::Picture, &QLabel::staticMetaObject},
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpState_data();
  void startUpState();
  void windowAndControls();
  void keyFilter_data();
  void keyFilter();
  void logoShowsAboutBox();
  void selectionRunsHandlerOnce();
  void tabOrderAndNamesOfOnePanel();
  void resultLabelsCopyButNeverEdit();
  void limitTooltip();
  void ending_data();
  void ending();
};

void WindowTest::startUpState_data() {
  QTest::addColumn<QString>("shown");
  const char* rows[][2] = {
      // Lists, on their first entries.
      {"GradiCmb", "\u00b0Centigradi"}, {"ProbeCmb", "Accucarb"}, {"FuelCmb", "Metano"},
      {"PresCmb", "bar"}, {"FlowCmb", "None"}, {"OxygenCmb", "Standard"},
      // The temperature panel's column captions, rewritten at start-up.
      {"Lab1", "\u00b0Fahrenheit"}, {"Lab3", "Kelvin"}, {"Label6", "\u00b0Rankine"},
      // The input boxes' default texts.
      {"DataText", "0"},        {"HTxt", "10"},          {"NTxt", "31.61"},
      {"MvZccTxt", "1121"},     {"TempTxt", "830"},      {"CoTxt", "20"},
      {"MvZo2Txt", "57.16"},    {"MvOffTxt", "8"},       {"KOffTxt", "0"},
      {"AirTxt", "20"},         {"FlueTXt", "180"},      {"PresText", "1.013"},
      {"MvZrO2Txt", "87.0"},    {"TempZrO2Txt", "1100"}, {"BiasZrO2Txt", "-3.0"},
      {"RefTempTxt", "25.0"},   {"RefPresTxt", "2500"},  {"FlowTxt", "10.0"},
      {"FlowTempTxt", "25.0"},  {"FlowPresTxt", "2500"}, {"AtmPresTxt", "1013"},
  };
  for (const auto& r : rows) QTest::newRow(r[0]) << QString::fromUtf8(r[1]);
}

void WindowTest::startUpState() {
  QFETCH(QString, shown);
  Started s;
  QWidget* widget = s.window.findChild<QWidget*>(QTest::currentDataTag());
  QVERIFY(widget);
  auto* list = qobject_cast<QComboBox*>(widget);
  QCOMPARE(widget->property(list ? "currentText" : "text").toString(), shown);
  if (list) QCOMPARE(list->currentIndex(), 0);
  if (list) QVERIFY(!list->isEditable());  // the user can only pick an entry
  // Written from code, a box's text shows from its start (the others have no caret).
  QCOMPARE(widget->property("cursorPosition").toInt(), 0);
}

void WindowTest::windowAndControls() {
  Started s;
  QVERIFY(QTest::qWaitForWindowExposed(&s.window));
  QCOMPARE(s.window.windowTitle(), QStringLiteral("The Pyrelon"));
  QCOMPARE(s.window.centralWidget()->size(), QSize(677, 477));
  QCOMPARE(s.window.minimumSize(), s.window.maximumSize());
  auto* exitAction = s.window.findChild<QAction*>("ExitMenu");
  QVERIFY(exitAction && exitAction->menu() == nullptr);
  QCOMPARE(exitAction->text(), QStringLiteral("E&xit !"));
  QCOMPARE(s.window.menuBar()->actions(), QList<QAction*>{exitAction});

  for (const auto& row : controlTable()) {
    const QString name = QString::fromUtf8(row.name);
    QWidget* widget = s.window.findChild<QWidget*>(name);
    QVERIFY2(widget && kBuiltAs.at(row.kind)->cast(widget), qPrintable(name));
    QWidget* panel = row.parent.empty()
                         ? s.window.centralWidget()
                         : s.window.findChild<QGroupBox*>(QString::fromUtf8(row.parent));
    QVERIFY2(widget->parentWidget() == panel, qPrintable(name));
    auto* label = qobject_cast<QLabel*>(widget);
    // Start-up solved every panel.
    if (row.kind == ControlKind::ResultLabel) QVERIFY2(!label->text().isEmpty(), qPrintable(name));
    // A one-line caption's text fits its label.
    if (row.kind == ControlKind::Label && !label->wordWrap())
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
               qPrintable(name + ": " + label->text()));
  }
  QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
}

void WindowTest::keyFilter_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("before");
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("after");
  QTest::addColumn<int>("beeps");
  QTest::newRow("digit") << "HTxt" << "10" << int(Qt::Key_5) << "105" << 0;
  QTest::newRow("point on whole number") << "HTxt" << "10" << int(Qt::Key_Period) << "." << 1;
  QTest::newRow("letter after point") << "HTxt" << "31.61" << int(Qt::Key_A) << "31.61a" << 0;
  QTest::newRow("backspace on whole number") << "HTxt" << "10" << int(Qt::Key_Backspace) << "" << 1;
  // Were the filter to see it, it would beep and empty the box.
  QTest::newRow("arrow types nothing") << "HTxt" << "10" << int(Qt::Key_Left) << "10" << 0;
  QTest::newRow("ammonia box too") << "NTxt" << "31" << int(Qt::Key_Period) << "." << 1;
  QTest::newRow("temperature box unfiltered") << "DataText" << "10" << int(Qt::Key_A) << "10a" << 0;
}

void WindowTest::keyFilter() {
  QFETCH(QString, box);
  QFETCH(QString, before);
  QFETCH(int, key);
  QFETCH(QString, after);
  QFETCH(int, beeps);
  Started s;
  auto* edit = s.window.findChild<QLineEdit*>(box);
  edit->setText(before);  // the caret at the end
  QSignalSpy beeped(&s.window, &MainWindow::beeped);
  QTest::keyClick(edit, Qt::Key(key));
  QCOMPARE(edit->text(), after);
  QCOMPARE(beeped.count(), beeps);
}

void WindowTest::logoShowsAboutBox() {
  Started s;
  auto* logo = s.window.findChild<QLabel*>("Image1");
  QTest::mouseClick(logo, Qt::RightButton);
  QCOMPARE(s.watcher.seen.size(), 0);
  QTest::mouseClick(logo, Qt::LeftButton);
  QCOMPARE(s.watcher.seen.size(), 1);
  const SeenBox& box = s.watcher.seen.front();
  QCOMPARE(box.title, QStringLiteral("Info Box"));
  QCOMPARE(box.text, QStringLiteral("The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \n"
                                    "Factory Quorvent\n\n\n"));
  QCOMPARE(box.icon, QMessageBox::Information);
  QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(box.buttonCount, 1);
  QCOMPARE(box.textFormat, Qt::PlainText);
}

void WindowTest::selectionRunsHandlerOnce() {
  Started s;
  QSignalSpy ran(&s.window, &MainWindow::handlerRan);
  s.window.setSelectedIndex("GradiCmb", 1);  // from code
  QCOMPARE(ran.count(), 1);
  QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);  // by the user
  QCOMPARE(ran.count(), 2);
  QCOMPARE(s.window.selectedIndex("GradiCmb"), 2);
  QCOMPARE(ran.back().front().toString(), QStringLiteral("GradiCmb"));
  // A list without a handler runs nothing.
  QTest::keyClick(s.window.findChild<QComboBox*>("ProbeCmb"), Qt::Key_Down);
  QCOMPARE(ran.count(), 2);
}

void WindowTest::tabOrderAndNamesOfOnePanel() {
  Started s;
  QApplication::setActiveWindow(&s.window);
  QVERIFY(QTest::qWaitForWindowActive(&s.window));
  const QStringList expected{
      "RefTempTxt = Mass Flow Compensation for Orifice: Ref. Temp (\u00b0C)",
      "RefPresTxt = Mass Flow Compensation for Orifice: Ref. Press (mbar)",
      "AtmPresTxt = Mass Flow Compensation for Orifice: Atm. Press (mbar)",
      "FlowTxt = Mass Flow Compensation for Orifice: Flow",
      "FlowTempTxt = Mass Flow Compensation for Orifice: Temp (\u00b0C)",
      "FlowPresTxt = Mass Flow Compensation for Orifice: Press (mbar)",
      "FlowCmb = Mass Flow Compensation for Orifice: Compensation Type",
      "FlowBtn = Solve, Mass Flow Compensation for Orifice",
      "FlowLbl = Mass Flow Compensation for Orifice: Compensed Flow"};
  s.window.findChild<QWidget*>("RefTempTxt")->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    visited << focus->objectName() + " = " + focus->accessibleName();
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  QCOMPARE(visited, expected);
}

void WindowTest::resultLabelsCopyButNeverEdit() {
  Started s;
  auto* label = s.window.findChild<QLabel*>("CarbonLbl");
  const QString shown = label->text();
  // Typing over the selected value changes nothing; the value is what gets copied.
  QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
  for (Qt::Key key : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete}) QTest::keyClick(label, key);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), shown);
}

void WindowTest::limitTooltip() {
  Started s;
  QCOMPARE(s.window.findChild<QLineEdit*>("MvZccTxt")->toolTip(), QStringLiteral("960 to 1340 mV"));
  QVERIFY(s.window.findChild<QLineEdit*>("DataText")->toolTip().isEmpty());
}

void WindowTest::ending_data() {
  QTest::addColumn<int>("way");  // the menu entry, its access key Alt+X, the frame's close
  QTest::newRow("Exit chosen") << 0;
  QTest::newRow("Exit by its access key") << 1;
  QTest::newRow("window closed") << 2;
}

void WindowTest::ending() {
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
  QVERIFY(s.watcher.seen.isEmpty());
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
