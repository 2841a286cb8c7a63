// The real window, driven through real widgets and key and mouse events:
// start-up state, the kinds and places of the controls, the key filter, the
// about box, event wiring, accessibility, drawing and ending the program.
#include <QAccessible>
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
#include <QTimer>
#include <memory>

#include "app/controls.h"
#include "app/qt/main_window.h"
#include "app/shell.h"
#include "gui_support.h"

using pyrelon::qt::MainWindow;
using namespace pyrelon;
using namespace pyrelon::testing;

namespace {

QString utf8(const char* text) { return QString::fromUtf8(text); }
QString utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool near(QColor actual, QColor expected, int tolerance = 40) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// A started window with a watcher that was running before start-up.
struct Started {
  explicit Started(MainWindow::StartUp startUp = MainWindow::StartUp::RunFormLoad)
      : window(startUp) {
    window.show();
  }
  InfoBoxWatcher watcher;
  MainWindow window;
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpLists_data();
  void startUpLists();
  void startUpTexts_data();
  void startUpTexts();
  void startsWithoutInfoBox();
  void frameAndMenu();
  void everyControlHasItsKindAndPanel();
  void nothingIsClipped();
  void keyFilter_data();
  void keyFilter();
  void logoShowsAboutBox();
  void selectionRunsHandlerOnce_data();
  void selectionRunsHandlerOnce();
  void solveButtonsRunTheirHandlers();
  void resultLabelsCopyButNeverEdit();
  void accessibleNames_data();
  void accessibleNames();
  void accessibleNamesAreDistinctAndFollowCaptions();
  void tabOrderRunsPanelByPanel();
  void drawing();
  void exitMenuEndsWithStatusZero_data();
  void exitMenuEndsWithStatusZero();
  void closingEndsWithStatusZero();
};

void WindowTest::startUpLists_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<QStringList>("entries");
  QTest::newRow("temperature units")
      << "GradiCmb"
      << QStringList{utf8("\u00b0Centigradi"), utf8("\u00b0Fahrenheit"), "Kelvin",
                     utf8("\u00b0Rankine")};
  QTest::newRow("carbon probes") << "ProbeCmb" << QStringList{"Accucarb", "DIN 17022", "Lambda"};
  QTest::newRow("fuels") << "FuelCmb"
                         << QStringList{"Metano", "Propano", "GPL", "Gasolio", "Nafta", "Coke"};
  QTest::newRow("pressure units")
      << "PresCmb" << QStringList{"bar", "mbar", "psi", "kpa", "mmHg", "mmH2O", "Kg/cm2"};
  QTest::newRow("compensation") << "FlowCmb"
                                << QStringList{"None", "Temperature", "Pressure", "Both"};
  QTest::newRow("oxygen probes") << "OxygenCmb" << QStringList{"Standard"};
}

void WindowTest::startUpLists() {
  QFETCH(QString, list);
  QFETCH(QStringList, entries);
  Started s;
  auto* combo = s.window.findChild<QComboBox*>(list);
  QVERIFY(combo);
  QVERIFY(!combo->isEditable());
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  QCOMPARE(shown, entries);
  QCOMPARE(combo->currentIndex(), 0);
  QCOMPARE(combo->currentText(), entries.front());
  QCOMPARE(s.window.selectedIndex(list.toStdString()), 0);
}

void WindowTest::startUpTexts_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  const char* defaults[][2] = {
      {"DataText", "0"},        {"HTxt", "10"},         {"NTxt", "31.61"},
      {"MvZccTxt", "1121"},     {"TempTxt", "830"},     {"CoTxt", "20"},
      {"MvZo2Txt", "57.16"},    {"MvOffTxt", "8"},      {"KOffTxt", "0"},
      {"AirTxt", "20"},         {"FlueTXt", "180"},     {"PresText", "1.013"},
      {"MvZrO2Txt", "87.0"},    {"TempZrO2Txt", "1100"}, {"BiasZrO2Txt", "-3.0"},
      {"RefTempTxt", "25.0"},   {"RefPresTxt", "2500"}, {"FlowTxt", "10.0"},
      {"FlowTempTxt", "25.0"},  {"FlowPresTxt", "2500"}, {"AtmPresTxt", "1013"},
  };
  for (const auto& d : defaults) QTest::newRow(d[0]) << d[0] << d[1];
}

void WindowTest::startUpTexts() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  Started s;
  auto* edit = s.window.findChild<QLineEdit*>(box);
  QVERIFY(edit);
  QCOMPARE(edit->text(), text);
  QCOMPARE(s.window.text(box.toStdString()), text.toStdString());
  // Written from code: the caret stands at the start.
  QCOMPARE(edit->cursorPosition(), 0);
}

void WindowTest::startsWithoutInfoBox() {
  Started s;
  QTest::qWait(30);
  QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
}

void WindowTest::frameAndMenu() {
  Started s;
  QCOMPARE(s.window.objectName(), QStringLiteral("Pyrelon"));
  QCOMPARE(s.window.windowTitle(), QStringLiteral("The Pyrelon"));
  QVERIFY(!s.window.windowIcon().isNull());
  QCOMPARE(s.window.centralWidget()->size(), QSize(677, 477));
  QCOMPARE(s.window.centralWidget()->palette().color(QPalette::Window), QColor(192, 192, 192));
  QVERIFY(QTest::qWaitForWindowExposed(&s.window));
  QCOMPARE(s.window.minimumSize(), s.window.maximumSize());

  auto* exitAction = s.window.findChild<QAction*>("ExitMenu");
  QVERIFY(exitAction);
  QCOMPARE(exitAction->text(), QStringLiteral("E&xit !"));
  QVERIFY(exitAction->menu() == nullptr);
  QCOMPARE(s.window.menuBar()->actions(), QList<QAction*>{exitAction});
}

void WindowTest::everyControlHasItsKindAndPanel() {
  Started s(MainWindow::StartUp::ControlsOnly);
  for (const ControlSpec& spec : controlTable()) {
    const QString name = utf8(spec.name);
    auto* widget = s.window.findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    const QWidget* expectedParent =
        spec.parent.empty() ? s.window.centralWidget()
                            : s.window.findChild<QGroupBox*>(utf8(spec.parent));
    QVERIFY2(widget->parentWidget() == expectedParent, qPrintable(name));
    const QString designText = utf8(spec.text);
    switch (spec.kind) {
      case ControlKind::Panel:
        QVERIFY2(qobject_cast<QGroupBox*>(widget), qPrintable(name));
        QCOMPARE(qobject_cast<QGroupBox*>(widget)->title(), designText);
        break;
      case ControlKind::TextBox:
        QVERIFY2(qobject_cast<QLineEdit*>(widget), qPrintable(name));
        QCOMPARE(qobject_cast<QLineEdit*>(widget)->alignment() & Qt::AlignHCenter,
                 Qt::AlignHCenter);
        break;
      case ControlKind::List:
        QVERIFY2(qobject_cast<QComboBox*>(widget), qPrintable(name));
        QVERIFY(!qobject_cast<QComboBox*>(widget)->isEditable());
        break;
      case ControlKind::Button:
        QVERIFY2(qobject_cast<QPushButton*>(widget), qPrintable(name));
        QCOMPARE(qobject_cast<QPushButton*>(widget)->text(), QStringLiteral("Solve"));
        break;
      case ControlKind::Label:
      case ControlKind::ResultLabel: {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), designText);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        break;
      }
      case ControlKind::Line:
        QVERIFY2(widget->testAttribute(Qt::WA_TransparentForMouseEvents), qPrintable(name));
        break;
      case ControlKind::Picture: {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY2(label && !label->pixmap().isNull(), qPrintable(name));
        QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), label->size());
        QCOMPARE(label->pixmap().devicePixelRatio(), qApp->devicePixelRatio());
        break;
      }
    }
  }
}

void WindowTest::nothingIsClipped() {
  Started s;
  for (const ControlSpec& spec : controlTable()) {
    auto* widget = s.window.findChild<QWidget*>(utf8(spec.name));
    QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
             qPrintable(utf8(spec.name)));
    auto* label = qobject_cast<QLabel*>(widget);
    if (spec.kind != ControlKind::Label || label == nullptr) continue;
    // The caption's ink, in the font actually substituted, within the label.
    const QFontMetrics metrics(label->font());
    const int flags = label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = metrics.boundingRect(label->rect(), flags, label->text());
    QVERIFY2(label->rect().contains(needed),
             qPrintable(QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                            .arg(label->objectName(), label->text())
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(label->width())
                            .arg(label->height())));
  }
}

void WindowTest::keyFilter_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("start");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<QString>("expected");  // null: whatever the box does with it
  QTest::addColumn<int>("beeps");
  QTest::addColumn<bool>("reachesFilter");
  const int none = Qt::NoModifier;

  // A digit passes; a point or any other character on a whole number beeps,
  // empties the box and is then applied to the empty box.
  QTest::newRow("digit appended") << "HTxt" << "10" << int(Qt::Key_5) << none << "105" << 0 << true;
  QTest::newRow("keypad digit") << "HTxt" << "10" << int(Qt::Key_5) << int(Qt::KeypadModifier)
                                << "105" << 0 << true;
  QTest::newRow("point on whole number") << "HTxt" << "10" << int(Qt::Key_Period) << none << "."
                                         << 1 << true;
  QTest::newRow("letter after point") << "HTxt" << "31.61" << int(Qt::Key_A) << none << "31.61a"
                                      << 0 << true;
  QTest::newRow("decimal comma on whole number") << "HTxt" << "10" << int(Qt::Key_Comma) << none
                                                << "," << 1 << true;
  QTest::newRow("backspace on whole number") << "HTxt" << "10" << int(Qt::Key_Backspace) << none
                                             << "" << 1 << true;
  QTest::newRow("backspace after point") << "HTxt" << "31.61" << int(Qt::Key_Backspace) << none
                                         << "31.6" << 0 << true;
  QTest::newRow("enter on whole number") << "HTxt" << "10" << int(Qt::Key_Return) << none << ""
                                         << 1 << true;
  QTest::newRow("digit into empty box") << "HTxt" << "" << int(Qt::Key_7) << none << "7" << 0
                                        << true;
  QTest::newRow("point into empty box") << "HTxt" << "" << int(Qt::Key_Period) << none << "."
                                        << 1 << true;
  QTest::newRow("ammonia box filtered too") << "NTxt" << "31" << int(Qt::Key_Period) << none
                                            << "." << 1 << true;

  // Keys that type no character never reach the filter.
  QTest::newRow("left arrow") << "HTxt" << "10" << int(Qt::Key_Left) << none << "10" << 0 << false;
  QTest::newRow("function key") << "HTxt" << "10" << int(Qt::Key_F2) << none << "10" << 0 << false;
  QTest::newRow("delete at end") << "HTxt" << "10" << int(Qt::Key_Delete) << none << "10" << 0
                                 << false;
  QTest::newRow("escape") << "HTxt" << "10" << int(Qt::Key_Escape) << none << "10" << 0 << false;
  QTest::newRow("tab") << "HTxt" << "10" << int(Qt::Key_Tab) << none << "10" << 0 << false;
  QTest::newRow("ctrl+a") << "HTxt" << "10" << int(Qt::Key_A) << int(Qt::ControlModifier) << "10"
                          << 0 << false;
  QTest::newRow("alt+5") << "HTxt" << "10" << int(Qt::Key_5) << int(Qt::AltModifier) << QString()
                         << 0 << false;

  // The temperature and pressure boxes have a handler that lets all pass;
  // the other boxes have none.
  QTest::newRow("temperature box unfiltered") << "DataText" << "10" << int(Qt::Key_A) << none
                                              << "10a" << 0 << true;
  QTest::newRow("pressure box unfiltered") << "PresText" << "1" << int(Qt::Key_Comma) << none
                                           << "1," << 0 << true;
  QTest::newRow("carbon box has no handler") << "MvZccTxt" << "1121" << int(Qt::Key_A) << none
                                             << "1121a" << 0 << false;
}

void WindowTest::keyFilter() {
  QFETCH(QString, box);
  QFETCH(QString, start);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(QString, expected);
  QFETCH(int, beeps);
  QFETCH(bool, reachesFilter);

  Started s;
  auto* edit = s.window.findChild<QLineEdit*>(box);
  QVERIFY(edit);
  s.window.setText(box.toStdString(), start.toStdString());
  QTest::keyClick(edit, Qt::Key_End);  // types nothing: the caret to the end
  QCOMPARE(edit->text(), start);

  QSignalSpy beeped(&s.window, &MainWindow::beeped);
  QSignalSpy ran(&s.window, &MainWindow::handlerRan);
  QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

  if (!expected.isNull()) {
    QCOMPARE(edit->text(), expected);
    QCOMPARE(s.window.text(box.toStdString()), expected.toStdString());
  }
  QCOMPARE(beeped.count(), beeps);
  QCOMPARE(ran.count(), reachesFilter ? 1 : 0);
  if (reachesFilter) QCOMPARE(ran.front().front().toString(), box);
}

void WindowTest::logoShowsAboutBox() {
  Started s;
  auto* logo = s.window.findChild<QLabel*>("Image1");
  QVERIFY(logo);

  QTest::mouseClick(logo, Qt::RightButton);
  QCOMPARE(s.watcher.seen.size(), 0);

  QTest::mouseClick(logo, Qt::LeftButton);
  QCOMPARE(s.watcher.seen.size(), 1);
  const SeenBox& box = s.watcher.seen.front();
  QCOMPARE(box.title, QStringLiteral("Info Box"));
  QCOMPARE(box.text,
           QStringLiteral("The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n"));
  QCOMPARE(box.icon, QMessageBox::Information);
  QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  QCOMPARE(box.buttonCount, 1);
  QCOMPARE(box.textFormat, Qt::PlainText);
  QVERIFY(box.modal);
}

void WindowTest::selectionRunsHandlerOnce_data() {
  QTest::addColumn<QString>("list");
  QTest::addColumn<int>("runs");  // per selection
  QTest::newRow("temperature units") << "GradiCmb" << 1;
  QTest::newRow("pressure units") << "PresCmb" << 1;
  QTest::newRow("carbon probes") << "ProbeCmb" << 0;
  QTest::newRow("fuels") << "FuelCmb" << 0;
  QTest::newRow("compensation") << "FlowCmb" << 0;
  QTest::newRow("oxygen probes") << "OxygenCmb" << 0;
}

void WindowTest::selectionRunsHandlerOnce() {
  QFETCH(QString, list);
  QFETCH(int, runs);
  Started s(MainWindow::StartUp::ControlsOnly);
  const std::string name = list.toStdString();
  QSignalSpy ran(&s.window, &MainWindow::handlerRan);

  // Adding entries selects nothing and runs nothing.
  for (const char* entry : {"one", "two", "three"}) s.window.addListEntry(name, entry);
  QCOMPARE(s.window.selectedIndex(name), -1);
  QCOMPARE(ran.count(), 0);

  s.window.setSelectedIndex(name, 0);
  QCOMPARE(s.window.selectedIndex(name), 0);
  QCOMPARE(ran.count(), runs);

  // The user's choice, from the keyboard.
  auto* combo = s.window.findChild<QComboBox*>(list);
  QTest::keyClick(combo, Qt::Key_Down);
  QCOMPARE(s.window.selectedIndex(name), 1);
  QCOMPARE(ran.count(), 2 * runs);
  for (const QList<QVariant>& call : ran) QCOMPARE(call.front().toString(), list);
}

void WindowTest::solveButtonsRunTheirHandlers() {
  Started s;
  int buttons = 0;
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::Button) continue;
    ++buttons;
    const QString name = utf8(spec.name);
    QVERIFY2(findHandler(clickHandlers(), spec.name), qPrintable(name));
    QSignalSpy ran(&s.window, &MainWindow::handlerRan);
    QTest::mouseClick(s.window.findChild<QPushButton*>(name), Qt::LeftButton);
    QCOMPARE(ran.count(), 1);
    QCOMPARE(ran.front().front().toString(), name);
  }
  QCOMPARE(buttons, 7);
  // The defaults lie within every panel's limits.
  QVERIFY2(s.watcher.seen.isEmpty(), qPrintable(s.watcher.seen.value(0).text));
}

void WindowTest::resultLabelsCopyButNeverEdit() {
  Started s;
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::ResultLabel) continue;
    auto* label = s.window.findChild<QLabel*>(utf8(spec.name));
    QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QVERIFY(!(label->textInteractionFlags() & Qt::TextEditable));
  }

  auto* label = s.window.findChild<QLabel*>("CarbonLbl");
  s.window.setCaption("CarbonLbl", "0.812");
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0.812"));

  for (Qt::Key key : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete})
    QTest::keyClick(label, key);
  QCOMPARE(s.window.caption("CarbonLbl"), "0.812");
}

void WindowTest::accessibleNames_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QStringList>("labelledBy");
  QTest::newRow("input") << "MvZccTxt" << "ZrO2 Carbon Probe: mV Probe"
                         << QStringList{"Label9"};
  QTest::newRow("input with unit")
      << "RefTempTxt" << utf8("Mass Flow Compensation for Orifice: Ref. Temp (\u00b0C)")
      << QStringList{"Label30", "Label32"};
  QTest::newRow("input right of the separator")
      << "FlowPresTxt" << "Mass Flow Compensation for Orifice: Press (mbar)"
      << QStringList{"Label26", "Label37"};
  QTest::newRow("input without unit")
      << "FlowTxt" << "Mass Flow Compensation for Orifice: Flow" << QStringList{"Label29"};
  QTest::newRow("list") << "GradiCmb" << "Temperature Conversion: Source Unit"
                        << QStringList{"Label4"};
  QTest::newRow("two-line caption")
      << "FlowCmb" << "Mass Flow Compensation for Orifice: Compensation Type"
      << QStringList{"Label28"};
  QTest::newRow("result") << "CarbonLbl" << "ZrO2 Carbon Probe: % Carbon" << QStringList{"Lab7"};
  QTest::newRow("lower-row result") << "GrossLbl" << "Lambda Oxigen Probe: Gross Eff."
                                    << QStringList{"Label7"};
  QTest::newRow("button") << "TempBtn" << "Solve, Temperature Conversion" << QStringList{};
  QTest::newRow("panel") << "Frame4" << "Lambda Oxigen Probe" << QStringList{};
}

void WindowTest::accessibleNames() {
  QFETCH(QString, control);
  QFETCH(QString, name);
  QFETCH(QStringList, labelledBy);
  Started s;
  auto* widget = s.window.findChild<QWidget*>(control);
  QVERIFY(widget);
  QCOMPARE(widget->accessibleName(), name);
  // Platforms that name a list by its current entry (Linux) find its
  // caption through the label relation.
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  QVERIFY(accessible);
  QStringList labels;
  for (const auto& relation : accessible->relations(QAccessible::Label)) {
    if (qobject_cast<QLabel*>(relation.first->object()))
      labels << relation.first->object()->objectName();
  }
  labels.sort();
  QCOMPARE(labels, labelledBy);
}

void WindowTest::accessibleNamesAreDistinctAndFollowCaptions() {
  Started s;
  QSet<QString> names;
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::TextBox && spec.kind != ControlKind::List &&
        spec.kind != ControlKind::ResultLabel)
      continue;
    const QString name = s.window.findChild<QWidget*>(utf8(spec.name))->accessibleName();
    QVERIFY2(!name.isEmpty(), qPrintable(utf8(spec.name)));
    QVERIFY2(!names.contains(name), qPrintable(name));
    names.insert(name);
  }

  // A result label offers the value it shows; the column captions of the
  // unit panels change with the source unit, and the names follow.
  auto* result = s.window.findChild<QLabel*>("Lab10");
  s.window.setCaption("Lab15", "bar");
  s.window.setCaption("Lab10", "1.01");
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(result);
  QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Pressure Conversion: bar"));
  QCOMPARE(accessible->text(QAccessible::Description), QStringLiteral("1.01"));
}

void WindowTest::tabOrderRunsPanelByPanel() {
  Started s;
  QApplication::setActiveWindow(&s.window);
  QVERIFY(QTest::qWaitForWindowActive(&s.window));
  const QStringList expected{
      "GradiCmb", "DataText", "TempBtn", "Lab2", "Lab4", "Label12",          // temperature
      "HTxt", "NTxt", "NkBtn", "NkLbl",                                      // nitriding
      "PresCmb", "PresText", "Lab10", "Lab11", "Lab12", "Lab13", "Lab14",    // pressure
      "Lab20", "PresBtn",                                                    //
      "FuelCmb", "MvZo2Txt", "MvOffTxt", "KOffTxt", "AirTxt", "FlueTXt",     // lambda
      "OxiBtn", "WetLbl", "DryLbl", "Co2Lbl", "AirLbl", "NetLbl", "GrossLbl",  //
      "OxygenCmb", "MvZrO2Txt", "TempZrO2Txt", "BiasZrO2Txt", "OxygenBtn",   // oxygen
      "OxyLbl",                                                              //
      "ProbeCmb", "MvZccTxt", "TempTxt", "CoTxt", "CarbonBtn", "CarbonLbl",  // carbon
      "RefTempTxt", "RefPresTxt", "AtmPresTxt", "FlowTxt", "FlowTempTxt",    // flow
      "FlowPresTxt", "FlowCmb", "FlowBtn", "FlowLbl"};

  s.window.findChild<QWidget*>(expected.front())->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (qsizetype i = 0; i < expected.size(); ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    visited << focus->objectName();
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  QCOMPARE(visited, expected);
  // And round again to the start.
  QCOMPARE(QApplication::focusWidget()->objectName(), expected.front());
}

void WindowTest::drawing() {
  Started s;
  QVERIFY(QTest::qWaitForWindowExposed(&s.window));
  const QImage client = s.window.centralWidget()->grab().toImage();
  // Whether a pixel near (x, y) has about `colour`: antialiased strokes
  // blend with the background at their edges.
  const auto paintedNear = [&](QPointF p, QColor colour) {
    const QPoint centre = (p * client.devicePixelRatio()).toPoint();
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (near(client.pixelColor(centre + QPoint(dx, dy)), colour)) return true;
    return false;
  };

  // Every line, at its midpoint, in its colour.
  for (const ControlSpec& spec : controlTable()) {
    if (spec.kind != ControlKind::Line) continue;
    QPointF offset;
    if (!spec.parent.empty()) {
      const ControlSpec* panel = findControl(spec.parent);
      offset = QPointF(panel->left, panel->top);
    }
    const QPointF mid =
        (offset + QPointF(spec.left + spec.width, spec.top + spec.height) / 2) / kTwipsPerPixel;
    const QColor expected = spec.colour == Colour::LineRed ? QColor(192, 0, 0) : QColor(0, 0, 0);
    QVERIFY2(paintedNear(mid, expected), qPrintable(utf8(spec.name)));
  }

  // The client area's own grey, below the last panel's right end.
  QVERIFY(near(client.pixelColor(QPoint(670, 470) * client.devicePixelRatio()),
               QColor(192, 192, 192), 2));

  // A panel's caption in green.
  const QImage panel = s.window.findChild<QGroupBox*>("Frame1")->grab().toImage();
  int green = 0;
  for (int y = 0; y < 16 * panel.devicePixelRatio(); ++y)
    for (int x = 0; x < panel.width(); ++x)
      if (near(panel.pixelColor(x, y), QColor(0, 128, 0), 30)) ++green;
  QVERIFY2(green > 30, qPrintable(QString::number(green)));

  // A result label: yellow figures on black.
  s.window.setCaption("Lab2", "888.8");
  const QImage result = s.window.findChild<QLabel*>("Lab2")->grab().toImage();
  QVERIFY(near(result.pixelColor(1, 1), Qt::black, 2));
  int yellow = 0;
  for (int y = 0; y < result.height(); ++y)
    for (int x = 0; x < result.width(); ++x)
      if (near(result.pixelColor(x, y), QColor(255, 255, 0), 30)) ++yellow;
  QVERIFY2(yellow > 20, qPrintable(QString::number(yellow)));
}

void WindowTest::exitMenuEndsWithStatusZero_data() {
  QTest::addColumn<bool>("byAccessKey");
  QTest::newRow("chosen") << false;
  QTest::newRow("access key Alt+X") << true;
}

void WindowTest::exitMenuEndsWithStatusZero() {
  QFETCH(bool, byAccessKey);
  Started s;
  QApplication::setActiveWindow(&s.window);
  QVERIFY(QTest::qWaitForWindowActive(&s.window));
  QSignalSpy ran(&s.window, &MainWindow::handlerRan);
  if (byAccessKey) {
    QTimer::singleShot(0, &s.window, [&s] {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    });
  } else {
    QTimer::singleShot(0, s.window.findChild<QAction*>("ExitMenu"), &QAction::trigger);
  }
  QTimer safety;
  safety.setSingleShot(true);
  connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  safety.start(5000);

  QCOMPARE(QCoreApplication::exec(), 0);
  QVERIFY(!s.window.isVisible());
  QCOMPARE(ran.count(), 1);
  QCOMPARE(ran.front().front().toString(), QStringLiteral("ExitMenu"));
  QVERIFY(s.watcher.seen.isEmpty());
}

void WindowTest::closingEndsWithStatusZero() {
  Started s;
  QTimer::singleShot(0, &s.window, &QWidget::close);
  QTimer safety;
  safety.setSingleShot(true);
  connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  safety.start(5000);

  QCOMPARE(QCoreApplication::exec(), 0);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
