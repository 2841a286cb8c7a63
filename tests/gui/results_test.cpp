// What a person reads and copies from the result labels: every result
// whole, in its place or shrunk or widened or drawn with an ellipsis; the
// whole number copied; the panel's results copied as a table; stale results
// dimmed until the next Solve.
#include <QListView>
#include <cstdlib>

#include "gui_support.h"
#include "qt/widgets.h"

using pyrelon::qt::ResultLabel;
using namespace pyrelon;
using namespace pyrelon::testing;

namespace {

// A result label alone in a 400 px wide window, fitted to `text` in `place`
// at 9 points, with room from `roomLeft` to `roomRight`.
struct LoneLabel {
  QWidget parent;
  ResultLabel label{&parent};
  QFont font;
  LoneLabel() {
    parent.resize(400, 60);
    font.setPointSizeF(9);
  }
  void fit(const QRect& place, const QString& text, int roomLeft = 0, int roomRight = 400) {
    label.setHome(place, font, roomLeft, roomRight);
    label.setText(text);
    label.fitText();
  }
};

void setInputs(QWidget& window, const QStringList& assignments) {
  for (const QString& assignment : assignments) {
    const QString name = assignment.section('=', 0, 0), value = assignment.section('=', 1);
    if (auto* list = window.findChild<QComboBox*>(name)) {
      list->setCurrentIndex(value.toInt());
      emit list->activated(value.toInt());
    } else {
      window.findChild<QLineEdit*>(name)->setText(value);
    }
  }
}

void solve(QWidget& window, const char* button) {
  QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
}

}  // namespace

class ResultsTest : public QObject {
  Q_OBJECT

  struct SolvedRow {
    const char* name;
    QStringList inputs;
    const char *button, *label, *number;
  };
  struct CopyRow {
    const char *name, *label, *way, *copied;
  };

 private slots:
  // At start-up every result stands in its own place (its font and tip are
  // in tests/golden/window.txt).
  void startUpResultsUntouched() {
    Started s;
    for (ResultLabel* label : s.window.findChildren<ResultLabel*>()) {
      const ControlSpec* design = findControl(label->objectName().toStdString());
      const QRect place((design->left + 7) / 15, (design->top + 7) / 15, (design->width + 7) / 15,
                        (design->height + 7) / 15);
      QCOMPARE(label->geometry(), place);
      QVERIFY(!label->isShortened());
      QVERIFY(!label->isStale());
    }
  }

  // A label widened into its room stays centred on its own place as far as
  // the room on each side allows, and keeps to the room.
  void widenedLabelsStayCentred() {
    LoneLabel lone;
    const QRect place(150, 10, 50, 20);
    const QString text = QStringLiteral("-123456789012.3");
    // clang-format off
    const struct { int roomLeft, roomRight; bool centred; } rows[] = {
        {40, 360, true}, {140, 360, false}, {40, 210, false}};
    // clang-format on
    for (const auto& r : rows) {
      lone.fit(place, text, r.roomLeft, r.roomRight);
      const QRect g = lone.label.geometry();
      QVERIFY(g.width() > place.width() && !lone.label.isShortened());
      // As wide as the text and the two pixels its ink may take.
      QCOMPARE(g.width(), QFontMetrics(lone.label.font()).horizontalAdvance(text) + 2);
      QVERIFY(g.left() >= r.roomLeft && g.right() < r.roomRight);
      if (r.centred) QVERIFY2(std::abs(g.center().x() - place.center().x()) <= 1, "off its centre");
    }
  }

  // A text no size or room can hold is drawn as its two ends around an
  // ellipsis, as a plain label draws that shortened text.
  void aShortenedTextIsDrawnAsItsEnds() {
    LoneLabel lone;
    lone.fit(QRect(150, 10, 40, 20), QStringLiteral("-123456789012.3"), 150, 190);
    QVERIFY(lone.label.isShortened());
    QLabel plain(lone.label.drawnText(), &lone.parent);
    plain.setGeometry(lone.label.geometry());
    plain.setFont(lone.label.font());
    plain.setAlignment(Qt::AlignCenter);
    QCOMPARE(lone.label.grab().toImage(), plain.grab().toImage());
  }

  // A text whose advance and two pixels (the ink of its first and last
  // digits) fill its place exactly keeps its font and place; one pixel
  // narrower, and it is drawn smaller.
  void aTextThatJustFitsKeepsItsFont() {
    LoneLabel lone;
    const QString text = QStringLiteral("1123.2");
    const int needed = QFontMetrics(lone.font).horizontalAdvance(text) + 2;
    for (const int width : {needed, needed - 1}) {
      const QRect place(150, 10, width, 20);
      lone.fit(place, text);
      QCOMPARE(lone.label.font().pointSizeF() == 9, width == needed);
      QCOMPARE(lone.label.geometry(), place);
    }
  }

  // A text that fits its place only at the smallest font is drawn there in
  // that font, neither widened nor shortened.
  void shrinksToTheSmallestFontBeforeWidening() {
    LoneLabel lone;
    QFont smallest, next;
    smallest.setPointSizeF(ResultLabel::kSmallestPoints);
    next.setPointSizeF(ResultLabel::kSmallestPoints + 0.5);
    const QString text = QStringLiteral("-123456789012.3");
    const int needed = QFontMetrics(smallest).horizontalAdvance(text);
    QVERIFY2(QFontMetrics(next).horizontalAdvance(text) > needed + 1, "the sizes draw alike");
    // Room for the text at the smallest size and three pixels more: too
    // little for the next size up.
    const QRect place(150, 10, needed + 3, 20);
    lone.fit(place, text);
    QCOMPARE(lone.label.font().pointSizeF(), ResultLabel::kSmallestPoints);
    QCOMPARE(lone.label.geometry(), place);
    QVERIFY(!lone.label.isShortened());
  }

  // Each panel driven to its widest results: every text shows whole, or,
  // where no size can hold it, its two ends around an ellipsis.
  void everyResultFits_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("button");
    // clang-format off
    QTest::newRow("1000 bar") << QStringList{"PresCmb=0", "PresText=1000"} << "PresBtn";
    QTest::newRow("250 bar") << QStringList{"PresCmb=0", "PresText=250"} << "PresBtn";
    QTest::newRow("a million psi") << QStringList{"PresCmb=2", "PresText=-1000000"} << "PresBtn";
    QTest::newRow("1E300 bar") << QStringList{"PresCmb=0", "PresText=1E300"} << "PresBtn";
    QTest::newRow("-1E12 C") << QStringList{"GradiCmb=0", "DataText=-1E12"} << "TempBtn";
    QTest::newRow("1E300 K") << QStringList{"GradiCmb=2", "DataText=1E300"} << "TempBtn";
    QTest::newRow("carbon at its bounds") << QStringList{"ProbeCmb=0", "MvZccTxt=1340", "TempTxt=650", "CoTxt=37"} << "CarbonBtn";
    QTest::newRow("lambda at its bounds") << QStringList{"FuelCmb=3", "MvZo2Txt=0.01", "MvOffTxt=10", "KOffTxt=200", "AirTxt=-50", "FlueTXt=800"} << "OxiBtn";
    QTest::newRow("nitriding at its bounds") << QStringList{"HTxt=1", "NTxt=100"} << "NkBtn";
    QTest::newRow("oxygen 1E140") << QStringList{"MvZrO2Txt=-10", "TempZrO2Txt=-200", "BiasZrO2Txt=500"} << "OxygenBtn";
    QTest::newRow("flow of 15 digits") << QStringList{"FlowCmb=0", "FlowTxt=-123456789012345"} << "FlowBtn";
    QTest::newRow("flow 1E-300") << QStringList{"FlowCmb=1", "FlowTxt=1E-300"} << "FlowBtn";
    // clang-format on
  }

  void everyResultFits() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, button);
    Started s;
    setInputs(s.window, inputs);
    solve(s.window, qPrintable(button));
    for (ResultLabel* label : s.window.findChildren<ResultLabel*>()) {
      const QString name = label->objectName();
      const QString text = label->text();
      const int room = label->contentsRect().width();
      const QFontMetrics metrics(label->font());
      QVERIFY2(label->font().pointSizeF() >= ResultLabel::kSmallestPoints, qPrintable(name));
      QVERIFY2(metrics.horizontalAdvance(label->drawnText()) <= room,
               qPrintable(name + "=" + text));
      if (label->isShortened()) {
        const QStringList ends = label->drawnText().split(QChar(0x2026));
        QVERIFY2(ends.size() == 2 && !ends[0].isEmpty() && !ends[1].isEmpty(), qPrintable(name));
        QVERIFY(text.startsWith(ends[0]) && text.endsWith(ends[1]));
        QCOMPARE(label->toolTip(), text);
        QCOMPARE(label->accessibleDescription(), text);
      } else {
        QCOMPARE(label->drawnText(), text);
      }
      // Widened only into free room: inside its panel, over no other control.
      QWidget* panel = label->parentWidget();
      QVERIFY2(panel->rect().contains(label->geometry()), qPrintable(name));
      for (QWidget* other : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == label) continue;
        const bool control = qobject_cast<ResultLabel*>(other) || other->inherits("QLineEdit") ||
                             other->inherits("QComboBox") || other->inherits("QPushButton");
        QVERIFY2(!control || !other->geometry().intersects(label->geometry()),
                 qPrintable(name + " over " + other->objectName()));
      }
    }
    // 1000 bar, reckoned by hand: / 0.0689, x 100, x 750.2, x 10215, x 1.0197, x 1000.
    if (QString(QTest::currentDataTag()) == "1000 bar") {
      QCOMPARE(shown(s.window, {"Lab10", "Lab11", "Lab12", "Lab13", "Lab14", "Lab20"}),
               (QStringList{"Lab10=14513.79", "Lab11=100000.0", "Lab12=750200.0", "Lab13=10215000",
                            "Lab14=1019.70", "Lab20=1000000"}));
      for (ResultLabel* label : s.window.findChildren<ResultLabel*>())
        QVERIFY(!label->isShortened());
    }
    // Back to a short text, a result goes back to its place and font.
    setInputs(s.window, {"PresText=1", "DataText=1", "FlowTxt=1", "MvZrO2Txt=87.0",
                         "TempZrO2Txt=1100", "BiasZrO2Txt=-3.0"});
    for (const char* b : {"PresBtn", "TempBtn", "FlowBtn", "OxygenBtn"}) solve(s.window, b);
    for (const char* name : {"Lab13", "Lab2", "FlowLbl", "OxyLbl"}) {
      auto* label = s.window.findChild<ResultLabel*>(name);
      QCOMPARE(label->font().pointSizeF(), 9.0);
      QVERIFY(!label->isShortened());
    }
  }

  // A list's pop-up shows its longest entry whole.
  void listPopupsFitTheirEntries() {
    Started s;
    for (QComboBox* list : s.window.findChildren<QComboBox*>()) {
      list->showPopup();
      int widest = 0;
      for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, list->view()->fontMetrics().horizontalAdvance(list->itemText(i)));
      QVERIFY2(list->view()->viewport()->width() > widest, qPrintable(list->objectName()));
      list->hidePopup();
    }
  }

  // A double-click selects the whole number; Ctrl+C copies it.
  // 0 degrees Fahrenheit is -17.8 degrees Celsius; 850 degrees Celsius is 1123.15 K.
  void doubleClickCopiesTheWholeNumber_data() {
    // clang-format off
    static const SolvedRow rows[] = {
        {"sign", {"GradiCmb=1", "DataText=0"}, "TempBtn", "Lab2", "-17.8"},
        {"decimals", {"GradiCmb=0", "DataText=850"}, "TempBtn", "Lab4", "1123.2"},
        {"exponent", {"FlowCmb=0", "FlowTxt=1.5E+20"}, "FlowBtn", "FlowLbl", "1.5E+20"},
    };
    // clang-format on
    addRows(rows);
  }

  void doubleClickCopiesTheWholeNumber() {
    QFETCH(const SolvedRow*, row);
    const QString number = row->number;
    Started s;
    setInputs(s.window, row->inputs);
    solve(s.window, row->button);
    auto* result = s.window.findChild<ResultLabel*>(row->label);
    QCOMPARE(result->text(), number);
    // On the last digit, and on the first character.
    const int half = result->fontMetrics().horizontalAdvance(number) / 2 - 2;
    for (const int side : {1, -1}) {
      QGuiApplication::clipboard()->clear();
      QTest::mouseDClick(result, Qt::LeftButton, Qt::NoModifier,
                         result->rect().center() + QPoint(side * half, 0));
      QCOMPARE(result->selectedText(), number);
      QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text(), number);
    }
  }

  // Ctrl+C with nothing selected copies the whole text; typing over the
  // selected value changes nothing, and the value is what gets copied; the
  // context menu copies the result or the panel's results as a table (whose
  // texts for every panel are the shell's: tests/results_test.cpp).
  void copies_data() {
    // clang-format off
    static const CopyRow rows[] = {
        {"Ctrl+C, nothing selected", "Lab4", "ctrl+c", "273.2"},
        {"typed over, then Ctrl+C", "CarbonLbl", "typed over", "1.000"},
        {"menu, one", "AirLbl", "copyResult", "1.056"},
        {"menu, flow panel", "FlowLbl", "copyPanelResults", "Compensed Flow\t10\n"},
    };
    // clang-format on
    addRows(rows);
  }

  void copies() {
    QFETCH(const CopyRow*, row);
    Started s;
    auto* label = s.window.findChild<ResultLabel*>(row->label);
    QGuiApplication::clipboard()->setText("before");
    if (row->way == std::string_view("ctrl+c")) {
      label->setFocus(Qt::TabFocusReason);
      QVERIFY(!label->hasSelectedText());
      QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    } else if (row->way == std::string_view("typed over")) {
      QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
      for (Qt::Key key : {Qt::Key_5, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(label, key);
      QTest::keyClick(label, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    } else {
      openContextMenu(label);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QStringList entries;
      for (QAction* entry : menu ? menu->actions() : QList<QAction*>{}) entries << entry->text();
      QCOMPARE(entries.join('|'), QStringLiteral("Copy|Copy panel results"));
      QVERIFY(clickMenuEntry(row->way));
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(row->copied));
  }

  // Results dim while the inputs differ from those they were computed
  // from, and come back with the next press that writes them.
  void staleResultsDim() {
    Started s;
    auto* nk = s.window.findChild<ResultLabel*>("NkLbl");
    auto* hydrogen = s.window.findChild<QLineEdit*>("HTxt");
    auto* ammonia = s.window.findChild<QLineEdit*>("NTxt");
    const auto colour = [](QLabel* l) { return l->palette().color(QPalette::WindowText); };
    const QColor bright(255, 255, 0), dim(128, 128, 0);
    QCOMPARE(colour(nk), bright);
    ammonia->setFocus();
    ammonia->end(false);
    QTest::keyClick(ammonia, Qt::Key_5);  // "31.615"
    QCOMPARE(colour(nk), dim);
    QCOMPARE(nk->text(), QStringLiteral("10.00"));
    QVERIFY(!nk->font().italic());
    QTest::keyClick(ammonia, Qt::Key_Backspace);  // "31.61" again: it matches
    QCOMPARE(colour(nk), bright);
    // Out of limits: the box goes back to its start-up text, which the
    // results were computed from.
    hydrogen->setFocus();
    hydrogen->end(false);
    QTest::keyClicks(hydrogen, "00");  // "1000"
    QCOMPARE(colour(nk), dim);
    solve(s.window, "NkBtn");
    QCOMPARE(s.watcher.seen.size(), 1);
    QCOMPARE(hydrogen->text(), QStringLiteral("10"));
    QCOMPARE(colour(nk), bright);
    // A new calibration, not solved on selection: stale until Solve.
    auto* carbon = s.window.findChild<ResultLabel*>("CarbonLbl");
    QTest::keyClick(s.window.findChild<QComboBox*>("ProbeCmb"), Qt::Key_Down);
    QCOMPARE(colour(carbon), dim);
    solve(s.window, "CarbonBtn");
    QCOMPARE(colour(carbon), bright);
    // A new unit solves at once.
    QTest::keyClick(s.window.findChild<QComboBox*>("GradiCmb"), Qt::Key_Down);
    QCOMPARE(colour(s.window.findChild<ResultLabel*>("Lab4")), bright);
    // A fault clears what it cannot compute; the lambda results written
    // before it are fresh.
    s.window.findChild<QLineEdit*>("PresText")->setText("1E400");
    solve(s.window, "PresBtn");
    QCOMPARE(s.window.findChild<ResultLabel*>("Lab10")->text(), QString());
    QCOMPARE(colour(s.window.findChild<ResultLabel*>("Lab10")), bright);
  }
};

QTEST_MAIN(ResultsTest)
#include "results_test.moc"
